// SPDX-License-Identifier: GPL-3.0-or-later
#include "links/UsbEventSet.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using namespace std::chrono_literals;

TEST(UsbEventSet, ServesTheLowestRaisedEventAndKeepsItRaisedUntilReset) {
    UsbEventSet events;
    events.Raise(UsbEvent::ReadCompletion);
    events.Raise(UsbEvent::SendNext);
    events.Raise(UsbEvent::StartRead);

    EXPECT_EQ(events.WaitLowest(0ms), UsbEvent::SendNext);
    EXPECT_EQ(events.WaitLowest(0ms), UsbEvent::SendNext) << "manual reset: still raised";
    events.Reset(UsbEvent::SendNext);
    EXPECT_EQ(events.WaitLowest(0ms), UsbEvent::StartRead);
    events.Raise(UsbEvent::Quit);
    EXPECT_EQ(events.WaitLowest(0ms), UsbEvent::Quit);
}

TEST(UsbEventSet, WaitEndsEmptyAfterTheLimitOrAtOnceWhenRaisedFromAnotherThread) {
    UsbEventSet events;
    EXPECT_EQ(events.WaitLowest(5ms), std::nullopt);

    std::thread raiser([&] { events.Raise(UsbEvent::WriteCompletion); });
    EXPECT_EQ(events.WaitLowest(10s), UsbEvent::WriteCompletion);
    raiser.join();
}

TEST(UsbEventSet, OnlyQuitAndSuspendCutAPauseShort) {
    UsbEventSet events;
    events.Raise(UsbEvent::SendNext);
    EXPECT_FALSE(events.WaitForStop(1ms));
    EXPECT_FALSE(events.StopRequested());
    events.Raise(UsbEvent::Suspend);
    EXPECT_TRUE(events.WaitForStop(10s));
    EXPECT_TRUE(events.StopRequested());
}
