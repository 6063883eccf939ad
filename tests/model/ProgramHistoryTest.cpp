// SPDX-License-Identifier: GPL-3.0-or-later
// Undo and redo over program snapshots, and the names the steps get from
// what they changed.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "model/Audio_Data.h"
#include "model/ProgramHistory.h"

namespace {

struct NameCase {
    std::string test;
    std::function<void(CAudio_Data&)> edit;
    std::string english;
    std::string chinese;
};

class StepNames : public testing::TestWithParam<NameCase> {};

TEST_P(StepNames, SayWhatChanged) {
    CAudio_Data program;
    ProgramHistory history;
    history.Reset(TakeSnapshot(program));
    GetParam().edit(program);
    ASSERT_TRUE(history.Commit(TakeSnapshot(program)));
    ASSERT_NE(history.UndoName(), nullptr);
    EXPECT_EQ(history.UndoName()->english, GetParam().english);
    EXPECT_EQ(history.UndoName()->chinese, GetParam().chinese);
}

INSTANTIATE_TEST_SUITE_P(
    Edits, StepNames,
    testing::Values(
        NameCase{"BandGain", [](CAudio_Data& p) { p.GetOutput(1).GetBand(4).SetGainIndex(230); },
                 "gain of band 5, output 2", "输出2第5段增益"},
        NameCase{"RepeatedOnTheOtherMusicChannel",
                 [](CAudio_Data& p) {
                     p.GetInput(0).GetBand(0).SetFrequency(50);
                     p.GetInput(1).GetBand(0).SetFrequency(50);
                 },
                 "frequency of band 1, music left, music right", "音乐左、音乐右第1段频率"},
        NameCase{"DragMovesFrequencyAndGain",
                 [](CAudio_Data& p) {
                     p.GetInput(2).GetBand(2).SetFrequency(400);
                     p.GetInput(2).GetBand(2).SetGainIndex(250);
                 },
                 "band 3, microphone", "话筒第3段"},
        NameCase{"CrossoverSlope", [](CAudio_Data& p) { p.GetOutput(3).GetHighPass().SetSlope(2); },
                 "slope of high-pass, output 4", "输出4高通斜率"},
        NameCase{"ChannelValue", [](CAudio_Data& p) { p.GetOutput(5).SetDelay(40); },
                 "delay of output 6", "输出6延时"},
        NameCase{"EffectParameter",
                 [](CAudio_Data& p) { p.GetEffect().SetEffectParam(EffectParam::kReverbTime, 9); },
                 "reverb time of effect", "效果混响时间"},
        NameCase{"OneChannelSeveralValues",
                 [](CAudio_Data& p) {
                     p.GetOutput(0).SetDelay(4);
                     p.GetOutput(0).GetBand(0).SetGainIndex(190);
                 },
                 "output 1", "输出1"},
        NameCase{"OutputLink", [](CAudio_Data& p) { p.LinkOutputs(0, 1, true); }, "output link",
                 "输出联调"},
        NameCase{"Unrelated",
                 [](CAudio_Data& p) {
                     p.GetOutput(0).SetDelay(4);
                     p.GetInput(2).SetLevel(3);
                 },
                 "several changes", "多项修改"}),
    [](const testing::TestParamInfo<NameCase>& info) { return info.param.test; });

TEST(ProgramHistoryTest, UndoAndRedoWalkTheStepsAndANewEditDropsTheRedo) {
    CAudio_Data program;
    ProgramHistory history;
    const ProgramSnapshot start = TakeSnapshot(program);
    history.Reset(start);
    EXPECT_FALSE(history.CanUndo());
    EXPECT_FALSE(history.Commit(TakeSnapshot(program))) << "nothing changed";

    program.GetOutput(0).SetDelay(10);
    const ProgramSnapshot first = TakeSnapshot(program);
    ASSERT_TRUE(history.Commit(first));
    program.GetOutput(0).SetDelay(20);
    const ProgramSnapshot second = TakeSnapshot(program);
    ASSERT_TRUE(history.Commit(second, ProgramChangeName{"typed", "typed"}));
    EXPECT_EQ(history.UndoName()->english, "typed");

    EXPECT_EQ(history.Undo(), first);
    EXPECT_EQ(history.RedoName()->english, "typed");
    EXPECT_EQ(history.Undo(), start);
    EXPECT_FALSE(history.Undo());
    EXPECT_EQ(history.Redo(), first);

    program.GetOutput(0).SetDelay(30);
    ASSERT_TRUE(history.Commit(TakeSnapshot(program)));
    EXPECT_FALSE(history.CanRedo());
    EXPECT_EQ(history.Undo(), first);
}

TEST(ProgramHistoryTest, KeepsOnlyTheNewestSteps) {
    CAudio_Data program;
    ProgramHistory history;
    history.Reset(TakeSnapshot(program));
    for (int step = 1; step <= static_cast<int>(ProgramHistory::kMaxSteps) + 5; ++step) {
        program.GetOutput(0).SetDelay(step);
        ASSERT_TRUE(history.Commit(TakeSnapshot(program)));
    }
    EXPECT_EQ(history.UndoDepth(), ProgramHistory::kMaxSteps);
}

}  // namespace
