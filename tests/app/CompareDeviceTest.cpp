// SPDX-License-Identifier: GPL-3.0-or-later
// A/B compare through the real window against the simulated device on
// 127.0.0.1: a switch writes exactly the rows in which the two programs
// differ, each side keeps its own edits and undo steps, and the window says
// which side is live; closing asks before a side that no file keeps is lost.
#include <QComboBox>
#include <QPushButton>
#include <set>

#include "EditorDeviceRig.h"
#include "app/CompareControl.h"
#include "app/pages/EqBandTable.h"
#include "app/pages/EqBandTableRow.h"
#include "app/pages/OutputCrossoverRow.h"
#include "app/pages/OutputCrossoverSection.h"
#include "app/pages/OutputEqSection.h"
#include "app/pages/OutputMixSection.h"
#include "protocol/ProgramMessages.h"

namespace {

constexpr uint8_t kWrite = 0xA1;

using CompareDeviceTest = EditorDeviceTest;

// Image offsets of the program rows the device was sent, in the order sent.
std::vector<size_t> RowsWritten(const ShellTestRig& rig) {
    std::vector<size_t> rows;
    for (const std::vector<uint8_t>& frame : rig.Requests(kWrite)) {
        const int block = frame[6];
        const int channel = frame[8];
        const size_t row = frame[9];
        switch (block) {
            case RowBlock::kMusicInput:
                rows.push_back(CAudio_Data::InputRecordOffset(channel) + row * 8);
                break;
            case RowBlock::kMicrophone:
                rows.push_back(CAudio_Data::InputRecordOffset(2) + row * 8);
                break;
            case RowBlock::kEffect:
                rows.push_back(CAudio_Data::kEffectRecordOffset + (row - 19) * 8);
                break;
            case RowBlock::kOutput:
                rows.push_back(CAudio_Data::OutputRecordOffset(channel) + row * 8);
                break;
            default:
                break;  // names and system items are no program rows
        }
    }
    return rows;
}

std::vector<size_t> DifferingRows(const devsim::ProgramImage& a, const devsim::ProgramImage& b) {
    std::vector<size_t> rows;
    for (size_t offset = 0; offset < a.size(); offset += 8) {
        if (!std::equal(a.begin() + offset, a.begin() + offset + 8, b.begin() + offset)) {
            rows.push_back(offset);
        }
    }
    return rows;
}

std::vector<size_t> Sorted(std::vector<size_t> rows) {
    std::sort(rows.begin(), rows.end());
    return rows;
}

TEST_F(CompareDeviceTest, ASwitchWritesExactlyTheDifferingRowsAndEachSideKeepsItsEdits) {
    CompareControl& compare = *rig.view.Compare();
    EXPECT_EQ(compare.SwitchButton()->text(), QStringLiteral("A live"));
    EXPECT_FALSE(compare.SwitchButton()->isChecked());
    EXPECT_EQ(compare.CopyButton()->text(), QStringLiteral("Copy A to B"));
    const devsim::ProgramImage imageA = EditorImage();

    compare.CopyButton()->click();
    rig.device.ClearLog();
    PressKeys(QKeySequence(Qt::Key_F6));
    EXPECT_EQ(compare.SwitchButton()->text(), QStringLiteral("B live"));
    EXPECT_TRUE(compare.SwitchButton()->isChecked()) << "B live shows as a pressed-in button";
    EXPECT_EQ(compare.CopyButton()->text(), QStringLiteral("Copy B to A"));
    EXPECT_EQ(EditorImage(), imageA);

    // Side B takes three edits of different kinds.
    TypeAndEnter(Output().Equaliser().Table().Row(2).Gain(), "-4.5");
    Output().Mix().MicSwitch()->click();
    QComboBox& family = Output().Crossover().Row(CrossoverSide::LowPass).Family();
    family.setCurrentIndex(FilterFamily::kButterworth);
    emit family.activated(FilterFamily::kButterworth);
    const devsim::ProgramImage imageB = EditorImage();
    ASSERT_TRUE(DeviceHolds(imageB));
    ASSERT_EQ(DifferingRows(imageA, imageB).size(), 3U);

    rig.device.ClearLog();
    PressKeys(QKeySequence(Qt::Key_F6));
    EXPECT_EQ(compare.SwitchButton()->text(), QStringLiteral("A live"));
    EXPECT_FALSE(compare.SwitchButton()->isChecked());
    EXPECT_EQ(EditorImage(), imageA);
    ASSERT_TRUE(DeviceHolds(imageA));
    EXPECT_EQ(Sorted(RowsWritten(rig)), DifferingRows(imageB, imageA))
        << "each differing row once, and nothing else";
    EXPECT_EQ(Output().Equaliser().Table().Row(2).Gain().text(), QStringLiteral("0.0"));

    // A is edited on its own; B comes back as it was left, with its own undo steps.
    TypeAndEnter(Output().Equaliser().Table().Row(0).Gain(), "2");
    const devsim::ProgramImage editedA = EditorImage();
    PressKeys(QKeySequence(Qt::Key_F6));
    ASSERT_TRUE(DeviceHolds(imageB));
    PressKeys(QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_EQ(Output().Crossover().Row(CrossoverSide::LowPass).Family().currentIndex(),
              FilterFamily::kLinkwitzRiley);
    EXPECT_EQ(Output().Equaliser().Table().Row(2).Gain().text(), QStringLiteral("-4.5"));
    PressKeys(QKeySequence(Qt::Key_F6));
    EXPECT_TRUE(DeviceHolds(editedA));
}

TEST_F(CompareDeviceTest, AFirstSwitchWithNothingCopiedChangesNothing) {
    const devsim::ProgramImage imageA = EditorImage();
    rig.device.ClearLog();
    rig.view.Compare()->SwitchButton()->click();
    EXPECT_TRUE(rig.view.Compare()->SwitchButton()->isChecked());
    EXPECT_EQ(EditorImage(), imageA);
    QTest::qWait(100);
    EXPECT_TRUE(RowsWritten(rig).empty());
}

TEST(CompareClosing, ClosingAsksOnlyWhenTheOtherSideHoldsAnotherProgram) {
    ShellTestRig rig;
    rig.view.SetLanguage(Language::English);
    EditHistory& history = rig.view.History();
    history.CopyLiveToOther();
    EXPECT_TRUE(rig.view.AskBeforeClosing()) << "B is a copy of A";
    EXPECT_TRUE(rig.messages.questions.empty());

    history.SwitchSides();
    rig.view.EditProgram(
        [](CAudio_Data& program) { program.GetOutput(2).GetBand(1).SetGainIndex(230); });
    rig.messages.confirmAnswer = false;
    EXPECT_FALSE(rig.view.AskBeforeClosing());
    // The live side's unsaved changes first (discarded), then side A, which no file keeps.
    ASSERT_EQ(rig.messages.questions.size(), 2U);
    EXPECT_TRUE(rig.messages.questions.back().startsWith(QStringLiteral("Side A")));
    rig.messages.confirmAnswer = true;
    EXPECT_TRUE(rig.view.AskBeforeClosing());
}

}  // namespace
