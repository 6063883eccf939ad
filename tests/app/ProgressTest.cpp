// SPDX-License-Identifier: GPL-3.0-or-later
// The progress window: where and how it shows, its blinking, and that only
// the watched flag clearing hides it.
#include <gtest/gtest.h>

#include <QKeyEvent>

#include "ShellTestRig.h"
#include "app/dialogs/ProgressWindow.h"

namespace {

struct ProgressFixture : ::testing::Test {
    ProgressFixture() : app(WidgetTestApp()) {}
    QApplication& app;
    bool active = true;
    ProgressWindow window;
};

TEST_F(ProgressFixture, ShowsAtItsPlaceInTheLanguage) {
    window.Start([this] { return active; });
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.isModal());
    EXPECT_EQ(window.pos(), QPoint(300, 200));
    EXPECT_EQ(window.LabelText(), QStringLiteral("数据传输中"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("数据传输中"));
    EXPECT_EQ(window.palette().color(QPalette::Window), QColor(229, 236, 245));
    window.Relabel(Language::English);
    EXPECT_EQ(window.LabelText(), QStringLiteral("transmitting Data"));
}

TEST_F(ProgressFixture, BlinksWhileTheFlagIsSetAndHidesWhenItClears) {
    window.Start([this] { return active; });
    window.Tick();
    EXPECT_EQ(window.LabelColour(), QColor(255, 0, 0));
    window.Tick();
    EXPECT_EQ(window.LabelColour(), QColor(0, 0, 128));
    window.Tick();
    EXPECT_EQ(window.LabelColour(), QColor(255, 0, 0));
    active = false;
    window.Tick();
    EXPECT_FALSE(window.isVisible());
}

TEST_F(ProgressFixture, HidesOnItsOwnTimerOnceTheFlagClears) {
    window.Start([this] { return active; });
    active = false;
    EXPECT_TRUE(RunUntil([this] { return !window.isVisible(); }, 2000));
}

TEST_F(ProgressFixture, SecondTransferKeepsTheVisibleWindowWhereItIs) {
    window.Start([this] { return active; });
    window.move(40, 50);
    window.Start([this] { return active; });
    EXPECT_EQ(window.pos(), QPoint(40, 50));
    EXPECT_TRUE(window.isVisible());
}

TEST_F(ProgressFixture, NeitherKeysNorTheCloseCommandCloseIt) {
    window.Start([this] { return active; });
    QTest::keyClick(&window, Qt::Key_Escape);
    QTest::keyClick(&window, Qt::Key_Return);
    QTest::keyClick(&window, Qt::Key_Enter);
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());
    // Once the transfer ends it goes at the next blink.
    active = false;
    window.Tick();
    EXPECT_FALSE(window.isVisible());
}

}  // namespace
