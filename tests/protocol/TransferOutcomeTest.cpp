// SPDX-License-Identifier: GPL-3.0-or-later
// How a transfer ends: answered once every request was, or by the first
// request refused, given up or dropped with its link; and what each transfer
// that the editor follows puts on the queue.
#include <gtest/gtest.h>

#include "ProgramHelpers.h"
#include "PumpHarness.h"
#include "model/Audio_Data.h"
#include "protocol/DeviceTransfers.h"
#include "protocol/TransferTracker.h"

namespace {

using Ended = std::pair<TransferTicket, RequestOutcome>;

TEST(TransferTracker, EndsOnTheLastAnswerOrTheFirstFailureOnce) {
    TransferTracker tracker;
    const TransferTicket three = tracker.Begin(3);
    const TransferTicket two = tracker.Begin(2);
    EXPECT_NE(three, 0u);
    EXPECT_NE(three, two);
    EXPECT_EQ(tracker.Note(three, RequestOutcome::Answered), std::nullopt);
    EXPECT_EQ(tracker.Note(three, RequestOutcome::Answered), std::nullopt);
    EXPECT_EQ(tracker.Note(three, RequestOutcome::Answered), RequestOutcome::Answered);
    EXPECT_FALSE(tracker.IsOpen(three));

    EXPECT_EQ(tracker.Note(two, RequestOutcome::Refused), RequestOutcome::Refused);
    EXPECT_EQ(tracker.Note(two, RequestOutcome::Answered), std::nullopt) << "already ended";
    EXPECT_EQ(tracker.Note(two, RequestOutcome::LinkClosed), std::nullopt);
    EXPECT_EQ(tracker.Note(99, RequestOutcome::Answered), std::nullopt) << "unknown ticket";
    EXPECT_FALSE(tracker.AnyOpen());
}

class TransferOutcome : public testing::Test, protected PumpHarness {
  protected:
    void SetUp() override { transfers.SetConnected(true); }

    // The head as the device answers it, through the stream assembler.
    void Answer(const std::vector<uint8_t>& reply) { engine.FeedStream(reply); }

    CAudio_Data program;
    DeviceTransfers transfers{engine.Queue(), program, stores.presets, stores.system};
};

TEST_F(TransferOutcome, EveryAnswerIsReportedAndTheLastEndsTheTransfer) {
    const TransferStart store = transfers.StoreProgram(4);
    ASSERT_EQ(engine.Queue().Count(), 2);
    Answer(Accepted());
    Answer(Accepted());
    EXPECT_EQ(events.ended, (std::vector<Ended>{{store.ticket, RequestOutcome::Answered},
                                                {store.ticket, RequestOutcome::Answered}}));
    EXPECT_EQ(transfers.NoteRequestEnded(store.ticket, RequestOutcome::Answered), std::nullopt);
    EXPECT_EQ(transfers.NoteRequestEnded(store.ticket, RequestOutcome::Answered),
              RequestOutcome::Answered);
}

TEST_F(TransferOutcome, ARefusalOverAStreamDropsTheRequestAndSaysSo) {
    const TransferStart recall = transfers.RecallPreset(3);
    Answer(DeviceReply(Command::kRefused, 0, 0, 0, std::vector<uint8_t>(8, 0)));
    EXPECT_EQ(engine.Queue().Count(), 0);
    EXPECT_EQ(events.ended, (std::vector<Ended>{{recall.ticket, RequestOutcome::Refused}}));
    EXPECT_EQ(transfers.NoteRequestEnded(recall.ticket, RequestOutcome::Refused),
              RequestOutcome::Refused);
}

TEST_F(TransferOutcome, DroppingTheQueueEndsEachWaitingTransferOnceAndNoPoll) {
    engine.Post(BuildStatusPoll());
    const TransferStart read = transfers.ReadDeviceState();
    const TransferStart group = transfers.ReadEffectGroup(22);
    engine.DropAll(RequestOutcome::LinkClosed);
    EXPECT_EQ(engine.Queue().Count(), 0);
    EXPECT_EQ(events.ended, (std::vector<Ended>{{read.ticket, RequestOutcome::LinkClosed},
                                                {group.ticket, RequestOutcome::LinkClosed}}));
}

TEST_F(TransferOutcome, AUsbGiveUpAfterRefusalsNamesTheRefusal) {
    const TransferStart recall = transfers.RecallPreset(5);
    UsbTransmission transmission;
    ASSERT_TRUE(engine.TakeHeadForUsb(transmission));
    const std::vector<uint8_t> refusal =
        DeviceReply(Command::kRefused, 0, 0, 0, std::vector<uint8_t>(8, 0));
    for (int attempt = 0; attempt < 3; ++attempt) {
        std::vector<uint8_t> report(64, 0);
        std::copy(refusal.begin(), refusal.end(), report.begin());
        EXPECT_TRUE(engine.FeedUsb(report).refused);
        EXPECT_EQ(engine.NoteUsbFailure(), attempt == 2);
    }
    EXPECT_EQ(events.ended, (std::vector<Ended>{{recall.ticket, RequestOutcome::Refused}}));
    EXPECT_EQ(events.log.back(), "usb gave up");

    // A silent device gives up without a refusal.
    engine.Queue().Clear();
    events.ended.clear();
    const TransferStart read = transfers.ReadEffectGroup(24);
    ASSERT_TRUE(engine.TakeHeadForUsb(transmission));
    engine.NoteUsbFailure();
    engine.NoteUsbFailure();
    engine.NoteUsbFailure();
    EXPECT_EQ(events.ended, (std::vector<Ended>{{read.ticket, RequestOutcome::GaveUp}}));
}

TEST_F(TransferOutcome, StoringUnderANewNameSendsItWithoutTouchingTheStore) {
    stores.presets.SetName(4, "Old");
    const TransferStart start = transfers.StoreProgramNamed(4, "New");
    EXPECT_NE(start.ticket, 0u);
    const CSendData* nameWrite = engine.Queue().Head();
    ASSERT_NE(nameWrite, nullptr);
    EXPECT_EQ(std::string(nameWrite->frame.begin() + 12, nameWrite->frame.begin() + 16),
              std::string("New\0", 4));
    EXPECT_EQ(stores.presets.Name(4), "Old");
}

TEST_F(TransferOutcome, SystemItemsAndKeepingTheProgramAreOneTransferEach) {
    const int items[] = {7, 8, 9};
    const TransferStart volumes = transfers.WriteSystemItems(items);
    EXPECT_FALSE(volumes.showProgress);
    const TransferStart keep = transfers.ReadDeviceStateKeepingProgram();
    EXPECT_TRUE(keep.showProgress);
    EXPECT_TRUE(keep.showDownloadNotice);
    std::vector<std::pair<uint8_t, TransferTicket>> queued;
    while (const CSendData* head = engine.Queue().Head()) {
        queued.emplace_back(head->frame[5], head->ticket);
        engine.Queue().RemoveHead();
    }
    ASSERT_EQ(queued.size(), 3u + 31u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(queued[i], std::make_pair(uint8_t{0xA1}, volumes.ticket));
    }
    for (size_t i = 3; i < 33; ++i) {
        EXPECT_EQ(queued[i], std::make_pair(uint8_t{0xA2}, keep.ticket)) << i;
    }
    EXPECT_EQ(queued.back(), std::make_pair(uint8_t{0xA7}, keep.ticket))
        << "the editor's program goes down after the names and settings are read";

    transfers.SetConnected(false);
    EXPECT_FALSE(transfers.WriteSystemItems(items).queued);
    EXPECT_FALSE(transfers.ReadDeviceStateKeepingProgram().queued);
}

}  // namespace
