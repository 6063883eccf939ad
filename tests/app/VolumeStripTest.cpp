// SPDX-License-Identifier: GPL-3.0-or-later
// The master volume rules: steps held to 0 and to the group's maximum, slider
// moves held to the maximum, and one item write per change, even when the
// value stays.
#include <gtest/gtest.h>

#include <QLabel>
#include <QSlider>

#include "ShellTestRig.h"
#include "app/VolumeStrip.h"

namespace {

TEST(VolumeRulesTest, StepsAndSliderStayWithinTheirBounds) {
    EXPECT_EQ(VolumeAfterDecrease(0), 0);
    EXPECT_EQ(VolumeAfterDecrease(7), 6);
    EXPECT_EQ(VolumeAfterIncrease(20, 20), 20);
    EXPECT_EQ(VolumeAfterIncrease(19, 20), 20);
    EXPECT_EQ(VolumeAfterIncrease(50, 60), 50);  // a maximum above 50 from the device
    EXPECT_EQ(VolumeFromSlider(45, 30), 30);
    EXPECT_EQ(VolumeFromSlider(12, 30), 12);
}

struct VolumeStripFixture : ::testing::Test {
    VolumeStripFixture()
        : app(WidgetTestApp()), strip(system, [this](int item) { items.push_back(item); }) {}
    QApplication& app;
    SystemData system;
    std::vector<int> items;
    VolumeStrip strip;
};

TEST_F(VolumeStripFixture, PlusAtTheMaximumKeepsTheValueAndStillWrites) {
    system.SetMaximumVolume(VolumeChannel::Microphone, 20);
    system.SetCurrentVolume(VolumeChannel::Microphone, 20);
    strip.RefreshVolumes();
    QTest::mouseClick(strip.PlusButton(VolumeChannel::Microphone), Qt::LeftButton);
    EXPECT_EQ(system.CurrentVolume(VolumeChannel::Microphone), 20);
    EXPECT_EQ(items, std::vector<int>{8});
}

TEST_F(VolumeStripFixture, EachGroupWritesItsOwnItem) {
    QTest::mouseClick(strip.PlusButton(VolumeChannel::Effect), Qt::LeftButton);
    QTest::mouseClick(strip.PlusButton(VolumeChannel::Microphone), Qt::LeftButton);
    QTest::mouseClick(strip.MinusButton(VolumeChannel::Music), Qt::LeftButton);
    EXPECT_EQ(items, (std::vector<int>{7, 8, 9}));
    EXPECT_EQ(system.CurrentVolume(VolumeChannel::Effect), 1);
    EXPECT_EQ(system.CurrentVolume(VolumeChannel::Music), 0);
}

TEST_F(VolumeStripFixture, SliderAboveTheMaximumIsMovedBack) {
    system.SetMaximumVolume(VolumeChannel::Music, 30);
    strip.Slider(VolumeChannel::Music)->setValue(45);
    EXPECT_EQ(system.CurrentVolume(VolumeChannel::Music), 30);
    EXPECT_EQ(strip.Slider(VolumeChannel::Music)->value(), 30);
    EXPECT_EQ(strip.Number(VolumeChannel::Music)->text(), QStringLiteral("30"));
    EXPECT_EQ(items, std::vector<int>{9});
}

TEST_F(VolumeStripFixture, RefreshShowsTheCurrentBytesWithoutWriting) {
    system.SetCurrentVolume(VolumeChannel::Effect, 11);
    system.SetCurrentVolume(VolumeChannel::Microphone, 22);
    system.SetCurrentVolume(VolumeChannel::Music, 33);
    strip.RefreshVolumes();
    EXPECT_EQ(strip.Slider(VolumeChannel::Effect)->value(), 11);
    EXPECT_EQ(strip.Number(VolumeChannel::Microphone)->text(), QStringLiteral("22"));
    EXPECT_EQ(strip.Slider(VolumeChannel::Music)->value(), 33);
    EXPECT_TRUE(items.empty());
}

}  // namespace
