// SPDX-License-Identifier: GPL-3.0-or-later
// The output mix section against a real program: which stored level each
// output kind shows and sets, the switches that show the left flag and set
// both, and every edit reaching a linked partner with left and right
// exchanged, through the program lock with the mix row flagged.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QSlider>
#include <QToolButton>
#include <array>
#include <string>

#include "OutputLevelTestRig.h"
#include "app/dialogs/SetupSliderField.h"
#include "app/pages/OutputMixSection.h"
#include "app/widgets/SpinButtons.h"

namespace {

// A switch as it reads: its feed, then the state word in its track.
std::string Shown(const KitSwitch& control) {
    return (control.text() + ' ' + control.StateText()).toStdString();
}

std::string Text(const QLineEdit* box) {
    return box->text().toStdString();
}

struct MixLevels {
    uint8_t micL;
    uint8_t micR;
    uint8_t musicL;
    uint8_t musicR;

    static MixLevels Of(const CAudio_OutData& out) {
        return {out.GetMixMicL(), out.GetMixMicR(), out.GetMixMusicL(), out.GetMixMusicR()};
    }
    bool operator==(const MixLevels&) const = default;
};

std::ostream& operator<<(std::ostream& stream, const MixLevels& levels) {
    return stream << "mic " << int{levels.micL} << "/" << int{levels.micR} << " music "
                  << int{levels.musicL} << "/" << int{levels.musicR};
}

class OutputMixSectionTest : public ::testing::Test {
  protected:
    OutputMixSectionTest() { section.ShowOutput(&program, OutputKind::kMainLeft); }

    CAudio_OutData& Output(int index) { return program.GetOutput(index); }

    // Loads levels and switches as a device record carries them and shows the output.
    void Load(int index, MixLevels levels, std::array<uint8_t, 4> switches = {1, 1, 1, 1}) {
        CAudio_OutData::Record record = Output(index).BuildRecord();
        record[24] = levels.micL;
        record[25] = levels.micR;
        record[26] = levels.musicL;
        record[27] = levels.musicR;
        std::copy(switches.begin(), switches.end(), record.begin() + 28);
        Output(index).LoadRecord(record);
        Settle();
        section.ShowOutput(&program, index);
    }
    void Settle() {
        ClearOutputFlags(program);
        services.Settle();
    }

    EditCheckingServices services;
    CAudio_Data& program = services.Program();
    OutputMixSection section{services};
};

TEST_F(OutputMixSectionTest, EachOutputKindShowsAndSetsItsOwnSideOfTheMix) {
    const MixLevels loaded{11, 22, 33, 44};
    struct Case {
        int output;
        const char* shownMusic;
        const char* shownMic;
        MixLevels afterSettingBoth70;
    };
    const Case cases[] = {
        {OutputKind::kMainLeft, "33%", "11%", {70, 22, 70, 44}},
        {OutputKind::kMainRight, "44%", "22%", {11, 70, 33, 70}},
        {OutputKind::kCentre, "33%", "11%", {70, 70, 70, 70}},
        {OutputKind::kSubwoofer, "33%", "11%", {70, 70, 70, 70}},
        {OutputKind::kSurroundLeft, "33%", "11%", {70, 22, 70, 44}},
        {OutputKind::kSurroundRight, "44%", "22%", {11, 70, 33, 70}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.output);
        Load(c.output, loaded);
        EXPECT_EQ(Text(section.MusicLevel()->Box()), c.shownMusic);
        EXPECT_EQ(Text(section.MicLevel()->Box()), c.shownMic);

        section.MusicLevel()->Slider()->setValue(70);
        TypeAndLeave(section.MicLevel()->Box(), "70");
        EXPECT_EQ(Text(section.MusicLevel()->Box()), "70%");
        EXPECT_EQ(section.MicLevel()->Slider()->value(), 70);
        EXPECT_EQ(MixLevels::Of(Output(c.output)), c.afterSettingBoth70);
        EXPECT_EQ(Output(c.output).IsMixChanged(), 1);
        EXPECT_EQ(Output(c.output).IsGainChanged(), 0);
    }
    EXPECT_FALSE(services.ChangedOutsideEdit());
}

TEST_F(OutputMixSectionTest, ANewMainRightShowsItsRightLevelsAndTheLevelsRunFrom0To99) {
    section.ShowOutput(&program, OutputKind::kMainRight);
    EXPECT_EQ(Text(section.MusicLevel()->Box()), "99%");
    EXPECT_EQ(Text(section.MicLevel()->Box()), "99%");
    EXPECT_EQ(section.MusicLevel()->Slider()->value(), 99);

    section.MicLevel()->Arrows()->UpButton()->click();
    EXPECT_EQ(services.edits, 0) << "the arrows stop at 99";

    section.MicLevel()->Slider()->setValue(0);
    EXPECT_EQ(Text(section.MicLevel()->Box()), "0%");
    EXPECT_EQ(Output(OutputKind::kMainRight).GetMixMicR(), 0);

    TypeAndLeave(section.MusicLevel()->Box(), "150");
    ASSERT_EQ(services.Messages().size(), 1u);
    EXPECT_EQ(services.Messages()[0].text.toStdString(), "Out of Range");
    EXPECT_EQ(Output(OutputKind::kMainRight).GetMixMusicR(), 99);
    EXPECT_EQ(section.MusicLevel()->Slider()->value(), 99);
}

TEST_F(OutputMixSectionTest, SwitchShowsTheLeftFlagAndAPressSetsBothToItsOpposite) {
    Load(OutputKind::kMainLeft, {99, 0, 99, 0}, {1, 1, 1, 0});
    EXPECT_EQ(Shown(*section.MusicSwitch()), "Music ON");

    section.MusicSwitch()->click();
    EXPECT_EQ(Output(0).GetMusicOnL(), 0);
    EXPECT_EQ(Output(0).GetMusicOnR(), 0);
    EXPECT_EQ(Output(0).IsMixChanged(), 1);
    EXPECT_EQ(Shown(*section.MusicSwitch()), "Music OFF");

    section.MusicSwitch()->click();
    EXPECT_EQ(Output(0).GetMusicOnL(), 1);
    EXPECT_EQ(Output(0).GetMusicOnR(), 1);

    Load(OutputKind::kCentre, {99, 99, 50, 50}, {0, 1, 1, 1});
    EXPECT_EQ(Shown(*section.MicSwitch()), "Mic OFF");
    section.MicSwitch()->click();
    EXPECT_EQ(Output(2).GetMicOnL(), 1);
    EXPECT_EQ(Output(2).GetMicOnR(), 1);
    EXPECT_EQ(Output(2).GetMusicOnL(), 1) << "the other feed is untouched";
    EXPECT_EQ(Shown(*section.MicSwitch()), "Mic ON");

    EXPECT_EQ(services.edits, 3);
    EXPECT_FALSE(services.ChangedOutsideEdit());
}

TEST_F(OutputMixSectionTest, EditOnALinkedOutputReachesThePartnerWithLeftAndRightExchanged) {
    program.LinkOutputs(OutputKind::kMainLeft, OutputKind::kMainRight, true);
    Load(OutputKind::kMainLeft, {10, 0, 30, 0});

    TypeAndLeave(section.MicLevel()->Box(), "70");
    EXPECT_EQ(MixLevels::Of(Output(OutputKind::kMainLeft)), (MixLevels{70, 0, 30, 0}));
    const CAudio_OutData& right = Output(OutputKind::kMainRight);
    EXPECT_EQ(right.GetMixMicR(), 70);
    EXPECT_EQ(right.GetMixMusicR(), 30);
    EXPECT_EQ(right.IsMixChanged(), 1);

    section.MusicSwitch()->click();
    EXPECT_EQ(right.GetMusicOnL(), 0);
    EXPECT_EQ(right.GetMusicOnR(), 0);
    EXPECT_EQ(Output(OutputKind::kCentre).IsMixChanged(), 0);
    EXPECT_FALSE(services.ChangedOutsideEdit());

    // The partner, shown, shows its own (right) side: the copied levels.
    section.ShowOutput(&program, OutputKind::kMainRight);
    EXPECT_EQ(Text(section.MicLevel()->Box()), "70%");
    EXPECT_EQ(Shown(*section.MusicSwitch()), "Music OFF");
}

TEST_F(OutputMixSectionTest, LanguageChangesTheSwitchTextsButNotTheirState) {
    Load(OutputKind::kSubwoofer, {0, 0, 99, 99}, {0, 0, 1, 1});
    section.Relabel(Language::Chinese);
    EXPECT_EQ(Shown(*section.MusicSwitch()), "音乐 开");
    EXPECT_EQ(Shown(*section.MicSwitch()), "话筒 关");
    EXPECT_EQ(services.edits, 0);
}

}  // namespace
