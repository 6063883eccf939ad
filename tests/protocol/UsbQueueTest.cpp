// SPDX-License-Identifier: GPL-3.0-or-later
// The queue as the USB worker sees it: taking the head, wait times, giving up.
#include <gtest/gtest.h>

#include <thread>

#include "PumpHarness.h"
#include "model/Audio_Data.h"
#include "protocol/DeviceTransfers.h"

namespace {

TEST(UsbQueue, EmptyQueueGetsAMessageFromTheSourceFirst) {
    PumpHarness h;
    UsbTransmission out;
    EXPECT_FALSE(h.engine.TakeHeadForUsb(out));
    EXPECT_EQ(h.engine.Queue().Count(), 1);
    EXPECT_TRUE(h.engine.TakeHeadForUsb(out));
    EXPECT_EQ(out.frame, BuildStatusPoll()->frame);
    EXPECT_EQ(h.engine.Queue().Count(), 1);  // the head stays until answered
}

TEST(UsbQueue, WaitTimeFollowsTheFlags) {
    struct Case {
        bool longWait, endOfRead, endOfWrite;
        int waitMs;
    };
    for (const Case c : {Case{false, false, false, 1000}, Case{true, false, false, 5000},
                         Case{false, true, false, 5000}, Case{false, false, true, 10000},
                         Case{true, false, true, 5000}}) {
        PumpHarness h;
        std::unique_ptr<CSendData> message = BuildStatusPoll();
        message->longWait = c.longWait;
        message->endOfRead = c.endOfRead;
        message->endOfWrite = c.endOfWrite;
        h.engine.Post(std::move(message));
        UsbTransmission out;
        ASSERT_TRUE(h.engine.TakeHeadForUsb(out));
        EXPECT_EQ(out.waitTimeoutMs, c.waitMs) << c.longWait << c.endOfRead << c.endOfWrite;
    }
}

TEST(UsbQueue, ThirdFailureOfOneMessageGivesUp) {
    PumpHarness h;
    h.engine.Post(BuildStatusPoll());
    UsbTransmission out;
    h.engine.TakeHeadForUsb(out);
    EXPECT_FALSE(h.engine.NoteUsbFailure());
    EXPECT_FALSE(h.engine.NoteUsbFailure());
    EXPECT_TRUE(h.events.log.empty());
    EXPECT_TRUE(h.engine.NoteUsbFailure());
    EXPECT_EQ(h.events.log, std::vector<std::string>{"usb gave up"});
}

TEST(UsbQueue, TakingANewHeadForgivesEarlierFailures) {
    PumpHarness h;
    h.engine.Post(BuildStatusPoll());
    UsbTransmission out;
    h.engine.TakeHeadForUsb(out);
    h.engine.NoteUsbFailure();
    h.engine.NoteUsbFailure();
    h.engine.TakeHeadForUsb(out);
    EXPECT_FALSE(h.engine.NoteUsbFailure());
}

// The worker blocks on the queue lock while a transfer is being queued, so it
// starts on the transfer's first request rather than on a poll of its own.
TEST(UsbQueue, WorkerNeverSeesHalfATransfer) {
    PumpHarness h;
    CAudio_Data program;
    DeviceTransfers transfers(h.engine.Queue(), program, h.stores.presets, h.stores.system);
    transfers.SetConnected(true);
    bool tookHead = false;
    UsbTransmission out;
    std::thread worker;
    {
        CSendDataQueue::Guard producer = h.engine.Queue().Lock();
        worker = std::thread([&] { tookHead = h.engine.TakeHeadForUsb(out); });
        transfers.ReadDeviceState();
    }
    worker.join();
    EXPECT_TRUE(tookHead);
    EXPECT_EQ(out.frame, BuildNameRead(0)->frame);
    EXPECT_EQ(h.engine.Queue().Count(), 31);
}

}  // namespace
