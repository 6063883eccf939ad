// SPDX-License-Identifier: GPL-3.0-or-later
// The room EQ dialog from the Tools menu, through its real widgets, against
// the simulated device on 127.0.0.1: Apply is one undo step and the device
// receives exactly the rows that changed; Cancel sends nothing; a bad file
// is named and nothing is taken from it.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <algorithm>
#include <functional>

#include "EditorDeviceRig.h"
#include "app/dialogs/RoomEqDialog.h"

namespace {

const QString kRooms = QStringLiteral(SONAVEL_TEST_DATA_DIR "/roomeq/");
constexpr int kOutput1Choice = 3;
constexpr int kToolsMenu = 4;

class RoomEqDeviceTest : public EditorDeviceTest {
  protected:
    // Opens the dialog from the Tools menu and lets `use` work it.
    void OpenFromTheMenu(const std::function<void(RoomEqDialog&)>& use) {
        rig.view.SetModalDialogRunner([&](QDialog& opened) {
            auto* dialog = qobject_cast<RoomEqDialog*>(&opened);
            ASSERT_NE(dialog, nullptr);
            dialog->show();
            use(*dialog);
        });
        QMenu* tools = rig.window.menuBar()->actions().at(kToolsMenu)->menu();
        tools->actions().at(0)->trigger();
    }

    static void Fit(RoomEqDialog& dialog) {
        ASSERT_TRUE(dialog.AddMeasurementFiles({kRooms + QStringLiteral("room-rew.txt"),
                                                kRooms + QStringLiteral("room-position2.csv")}));
        dialog.ChannelBox()->setCurrentIndex(kOutput1Choice);
        QTest::mouseClick(dialog.FitButton(), Qt::LeftButton);
        ASSERT_TRUE(RunUntil([&] { return dialog.HasResult(); }, 60000));
    }

    int RowWrites() { return static_cast<int>(rig.Requests(0xA1).size()); }
};

int DifferingRows(const devsim::ProgramImage& a, const devsim::ProgramImage& b) {
    int rows = 0;
    for (size_t row = 0; row < a.size() / 8; ++row) {
        rows +=
            std::equal(a.begin() + row * 8, a.begin() + row * 8 + 8, b.begin() + row * 8) ? 0 : 1;
    }
    return rows;
}

TEST_F(RoomEqDeviceTest, ApplyIsOneUndoStepAndSendsExactlyTheChangedRows) {
    const ProgramSnapshot programBefore = Program();
    const devsim::ProgramImage before = Settled();
    rig.device.ClearLog();
    OpenFromTheMenu([&](RoomEqDialog& dialog) {
        Fit(dialog);
        // Nothing goes out while the user looks at the proposal.
        EXPECT_EQ(Program(), programBefore);
        QTest::mouseClick(dialog.ApplyButton(), Qt::LeftButton);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    });
    ASSERT_NE(Program(), programBefore);
    const devsim::ProgramImage after = Settled();
    EXPECT_GT(DifferingRows(before, after), 3);
    EXPECT_EQ(RowWrites(), DifferingRows(before, after));

    ASSERT_TRUE(rig.window.UndoAction()->isEnabled());
    rig.window.UndoAction()->trigger();
    EXPECT_EQ(Program(), programBefore);
    EXPECT_FALSE(rig.window.UndoAction()->isEnabled()) << "one step";
    EXPECT_EQ(Settled(), before);
}

TEST_F(RoomEqDeviceTest, CancelSendsNothingAndKeepsTheProgram) {
    const ProgramSnapshot programBefore = Program();
    Settled();
    rig.device.ClearLog();
    OpenFromTheMenu([&](RoomEqDialog& dialog) {
        Fit(dialog);
        QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    });
    EXPECT_EQ(Program(), programBefore);
    EXPECT_FALSE(rig.window.UndoAction()->isEnabled());
    // Polls go on; no row is written.
    ASSERT_TRUE(RunUntil([&] { return rig.device.Log().size() > 4; }));
    EXPECT_EQ(RowWrites(), 0);
}

TEST_F(RoomEqDeviceTest, AFitCanBeStoppedAndTheDialogClosedWhileItRuns) {
    const ProgramSnapshot programBefore = Program();
    OpenFromTheMenu([&](RoomEqDialog& dialog) {
        ASSERT_TRUE(dialog.AddMeasurementFiles({kRooms + QStringLiteral("room-rew.txt")}));
        QTest::mouseClick(dialog.FitButton(), Qt::LeftButton);
        EXPECT_TRUE(dialog.IsFitting());
        // The same button stops it; the window keeps answering meanwhile.
        QTest::mouseClick(dialog.FitButton(), Qt::LeftButton);
        ASSERT_TRUE(RunUntil([&] { return !dialog.IsFitting(); }));
        EXPECT_FALSE(dialog.HasResult());
        EXPECT_FALSE(dialog.ApplyButton()->isEnabled());
        QTest::mouseClick(dialog.FitButton(), Qt::LeftButton);
        QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);
    });
    EXPECT_EQ(Program(), programBefore);
}

TEST_F(RoomEqDeviceTest, ABadFileIsNamedWithItsLineAndNothingIsTaken) {
    OpenFromTheMenu([&](RoomEqDialog& dialog) {
        EXPECT_FALSE(dialog.AddMeasurementFiles(
            {kRooms + QStringLiteral("room-rew.txt"), kRooms + QStringLiteral("bad-nan.txt")}));
        ASSERT_FALSE(rig.messages.shown.empty());
        EXPECT_EQ(rig.messages.shown.back(),
                  QStringLiteral("bad-nan.txt, line 2: a value is not a number (NaN)"));
        QTest::mouseClick(dialog.FitButton(), Qt::LeftButton);
        EXPECT_FALSE(dialog.IsFitting()) << "no measurement was taken";
        QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);
    });
}
}  // namespace
