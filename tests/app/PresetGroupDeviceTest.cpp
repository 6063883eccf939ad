// SPDX-License-Identifier: GPL-3.0-or-later
// The preset-group dialog opened from the view's buttons, against the
// simulated device on 127.0.0.1: what the user does in the dialog arrives
// on the device.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include "ShellTestRig.h"
#include "app/dialogs/PresetGroupDialog.h"
#include "app/dialogs/ProgressWindow.h"

namespace {

// Drives the dialog the view opens with `act`, in place of the modal loop.
void DriveNextDialog(ShellTestRig& rig, std::function<void(PresetGroupDialog&)> act) {
    rig.view.SetModalDialogRunner([act = std::move(act)](QDialog& dialog) {
        auto* groups = qobject_cast<PresetGroupDialog*>(&dialog);
        ASSERT_NE(groups, nullptr);
        groups->show();
        act(*groups);
    });
}

TEST(PresetGroupDeviceTest, SaveAndCallFromTheViewReachTheDevice) {
    ShellTestRig rig;
    rig.state.language = Language::English;
    ASSERT_TRUE(rig.ConnectOverNetwork());
    ASSERT_TRUE(RunUntil([&] { return !rig.view.Progress()->isVisible(); }));

    DriveNextDialog(rig, [](PresetGroupDialog& dialog) {
        dialog.GroupList()->selectRow(14 - kFirstUserGroupNumber);
        ShellTestRig::TypeInto(dialog.NameField(), QStringLiteral("  Hall  "));
        QTest::mouseClick(dialog.SaveButton(), Qt::LeftButton);
    });
    rig.view.PresetGroupButton(1)->click();
    ASSERT_TRUE(RunUntil([&] { return rig.device.CountRequests(0xA5) == 1; }));
    // Success, and the new name in the list, follow the device's answer.
    ASSERT_TRUE(RunUntil([&] { return !rig.messages.shown.empty(); }));
    EXPECT_EQ(rig.device.Name(4), devsim::MakeName("Hall"));
    EXPECT_EQ(rig.presets.Name(0), "Hall");
    EXPECT_EQ(rig.presets.Name(4), "Hall");
    ASSERT_EQ(rig.messages.shown.size(), 1u);
    EXPECT_EQ(rig.messages.shown[0],
              QStringLiteral("You have saved 14 groups according to the download!"));

    DriveNextDialog(rig, [](PresetGroupDialog& dialog) {
        dialog.GroupList()->selectRow(3 - 1);
        QTest::mouseClick(dialog.CallButton(), Qt::LeftButton);
    });
    rig.view.PresetGroupButton(0)->click();
    EXPECT_TRUE(rig.view.Progress()->isVisible());
    ASSERT_TRUE(RunUntil([&] { return !rig.view.Progress()->isVisible(); }));
    const std::vector<std::vector<uint8_t>> recalls = rig.Requests(0xA6);
    ASSERT_EQ(recalls.size(), 1u);
    EXPECT_EQ(recalls[0][7], 13);
    EXPECT_EQ(rig.messages.shown.back(), QStringLiteral("You readed the Sys group reported 3!"));
}

}  // namespace
