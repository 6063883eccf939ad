// SPDX-License-Identifier: GPL-3.0-or-later
// The whole window connected to the simulated device on 127.0.0.1, on the
// first output's page, with a way to read the editor's program image and to
// wait until the device holds a given image.
#pragma once

#include <gtest/gtest.h>

#include <QTest>

#include "ShellTestRig.h"
#include "app/dialogs/ProgressWindow.h"
#include "app/pages/OutputPage.h"
#include "app/widgets/NumEdit.h"
#include "model/ProgramSnapshot.h"
#include "protocol/SendDataQueue.h"

inline constexpr int kOutput1Page = kFirstOutputPage;

// Types `text` into `box` and presses Enter, as a user would.
inline void TypeAndEnter(CNumEdit& box, const char* text) {
    box.setFocus();
    box.selectAll();
    QTest::keyClicks(&box, text);
    QTest::keyClick(&box, Qt::Key_Return);
}

class EditorDeviceTest : public testing::Test {
  protected:
    void SetUp() override {
        rig.window.SwitchLanguage(Language::English);
        rig.window.show();
        ASSERT_TRUE(rig.ConnectOverNetwork());
        ASSERT_TRUE(RunUntil([&] { return !rig.view.Progress()->isVisible(); }));
        ASSERT_TRUE(DeviceHolds(EditorImage()));
        rig.view.SelectPage(kOutput1Page);
    }

    devsim::ProgramImage EditorImage() {
        const auto guard = rig.view.Queue().Lock();
        CAudio_Data& program = rig.view.Program();
        program.BuildImage();
        devsim::ProgramImage image{};
        std::copy_n(program.GetImage().begin(), image.size(), image.begin());
        return image;
    }

    bool DeviceHolds(const devsim::ProgramImage& image) {
        return RunUntil([&] { return rig.device.CurrentImage() == image; });
    }

    // Waits until the device holds the editor's image and every crossover has
    // arrived where it was going; returns that image.
    devsim::ProgramImage Settled() {
        for (int round = 0; round < 2; ++round) {
            EXPECT_TRUE(RunUntil([&] { return rig.device.CurrentImage() == EditorImage(); }));
            QTest::qWait(150);
        }
        return EditorImage();
    }

    // The editor's program, as undo keeps it.
    ProgramSnapshot Program() {
        const auto guard = rig.view.Queue().Lock();
        return TakeSnapshot(rig.view.Program());
    }

    OutputPage& Output() { return *dynamic_cast<OutputPage*>(rig.view.CurrentPageWidget()); }

    // Keys go where the user's keys go: to the widget with the focus, in the
    // window the user looks at (the Connect dialog and the progress window
    // took that away for a while).
    void PressKeys(const QKeySequence& keys) {
        rig.window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&rig.window));
        QWidget* focus = QApplication::focusWidget();
        QTest::keySequence(focus != nullptr ? focus : &rig.window, keys);
    }

    ShellTestRig rig;
};
