// SPDX-License-Identifier: GPL-3.0-or-later
// The setup dialog opened from the view's button, against the simulated
// device on 127.0.0.1: applied volumes, options and links arrive on the
// device, and the view follows the dialog's volumes and language.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include "ShellTestRig.h"
#include "app/VolumeStrip.h"
#include "app/dialogs/ProgressWindow.h"
#include "app/dialogs/SetupDialog.h"
#include "app/dialogs/SetupOptionSection.h"
#include "app/dialogs/SetupSliderField.h"
#include "app/dialogs/SetupVolumeSection.h"

namespace {

TEST(SetupDeviceTest, SetupFromTheViewWritesItsItemsAndLinksOnTheDevice) {
    ShellTestRig rig;
    rig.state.language = Language::English;
    devsim::SystemBytes deviceSystem = rig.device.GetSystemBytes();
    deviceSystem[8] = 45;  // effect volume
    deviceSystem[9] = 10;  // effect start volume
    rig.device.SetSystemBytes(deviceSystem);
    ASSERT_TRUE(rig.ConnectOverNetwork());
    ASSERT_TRUE(RunUntil([&] { return !rig.view.Progress()->isVisible(); }));
    rig.device.ClearLog();

    rig.view.SetModalDialogRunner([](QDialog& dialog) {
        auto* setup = qobject_cast<SetupDialog*>(&dialog);
        ASSERT_NE(setup, nullptr);
        setup->show();
        setup->Volumes()->MaximumField(VolumeChannel::Effect)->Slider()->setValue(30);
        setup->Volumes()->ApplyButton()->click();
        setup->Options()->ModeOption(1)->click();
        setup->Options()->LinkMainBox()->click();
        setup->LanguageButton()->click();
    });
    rig.view.SetupButton()->click();

    EXPECT_EQ(rig.system.CurrentVolume(VolumeChannel::Effect), 30);
    EXPECT_EQ(rig.view.Volumes()->Slider(VolumeChannel::Effect)->value(), 30);
    EXPECT_EQ(rig.state.language, Language::Chinese);
    // Success is told once the device has taken the three items, in the
    // language of that moment.
    EXPECT_TRUE(rig.messages.shown.empty());
    ASSERT_TRUE(RunUntil([&] { return !rig.messages.shown.empty(); }));
    EXPECT_EQ(rig.messages.shown[0], QStringLiteral("设置音量成功！"));

    ASSERT_TRUE(RunUntil([&] { return rig.Requests(0xA3).size() == 1; }));
    ASSERT_TRUE(RunUntil([&] { return rig.device.GetSystemBytes()[3] == 1; }));
    const devsim::SystemBytes written = rig.device.GetSystemBytes();
    EXPECT_EQ(written[7], 30);
    EXPECT_EQ(written[8], 30);
    EXPECT_EQ(written[9], 10);
    EXPECT_EQ(rig.Requests(0xA3)[0][8], 1) << "main right's record";
}

}  // namespace
