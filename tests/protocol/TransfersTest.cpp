// SPDX-License-Identifier: GPL-3.0-or-later
// The bulk transfers: what each queues, with which flags, and when the
// progress window shows and hides.
#include <gtest/gtest.h>

#include "ProgramHelpers.h"
#include "PumpHarness.h"
#include "model/Audio_Data.h"
#include "protocol/DeviceTransfers.h"
#include "protocol/SerialPump.h"

namespace {

struct Queued {
    std::vector<uint8_t> arguments;  // frame bytes 5..9
    int length;
    bool longWait, endOfRead, endOfWrite;
    friend bool operator==(const Queued&, const Queued&) = default;
};

void PrintTo(const Queued& q, std::ostream* os) {
    *os << std::hex;
    for (const uint8_t b : q.arguments) {
        *os << int{b} << ' ';
    }
    *os << std::dec << "len " << q.length << " flags " << q.longWait << q.endOfRead << q.endOfWrite;
}

class Transfers : public testing::Test, protected PumpHarness {
  protected:
    void SetUp() override { transfers.SetConnected(true); }

    std::vector<Queued> DrainQueue() {
        std::vector<Queued> queued;
        while (const CSendData* head = engine.Queue().Head()) {
            queued.push_back({HeaderArguments(*head), head->length, head->longWait, head->endOfRead,
                              head->endOfWrite});
            engine.Queue().RemoveHead();
        }
        return queued;
    }

    CAudio_Data program;
    DeviceTransfers transfers{engine.Queue(), program, stores.presets, stores.system};
};

TEST_F(Transfers, ConnectingReadsNamesSystemItemsAndTheProgram) {
    const TransferStart start = transfers.ReadDeviceState();
    EXPECT_TRUE(start.showProgress);
    EXPECT_TRUE(transfers.IsTransferActive());
    std::vector<Queued> expected;
    for (uint8_t slot = 0; slot <= 20; ++slot) {
        expected.push_back({{0xA2, 5, slot, 0, 4}, 22, true, false, false});
    }
    for (const uint8_t item : {0, 1, 2, 3, 6, 7, 8, 9, 4}) {
        expected.push_back({{0xA2, 6, 0, 0, item}, 22, true, false, false});
    }
    expected.push_back({{0xA8, 0, 0, 0, 0xFF}, 22, true, true, false});
    EXPECT_EQ(DrainQueue(), expected);
}

TEST_F(Transfers, NothingIsQueuedWhileNotConnected) {
    transfers.SetConnected(false);
    EXPECT_FALSE(transfers.ReadDeviceState().queued);
    EXPECT_FALSE(transfers.ReadCurrentProgram().queued);
    EXPECT_FALSE(transfers.RecallPreset(3).queued);
    EXPECT_FALSE(transfers.StoreProgram(3).queued);
    EXPECT_FALSE(transfers.ReadEffectGroup(22).queued);
    EXPECT_FALSE(transfers.WriteSystemItem(4));
    EXPECT_FALSE(transfers.WriteProgramName(4));
    EXPECT_EQ(engine.Queue().Count(), 0);
    EXPECT_FALSE(transfers.IsTransferActive());
}

TEST_F(Transfers, StoringIntoSlotZeroDownloadsTheProgram) {
    const TransferStart start = transfers.StoreProgram(0);
    EXPECT_TRUE(start.showDownloadNotice);
    EXPECT_FALSE(start.showProgress);
    EXPECT_EQ(DrainQueue(), (std::vector<Queued>{{{0xA1, 5, 0, 0, 4}, 30, true, false, false},
                                                 {{0xA7, 0, 0, 0, 0}, 1046, false, false, true}}));
}

TEST_F(Transfers, StoringIntoAPresetSlot) {
    EXPECT_FALSE(transfers.StoreProgram(15).showDownloadNotice);
    EXPECT_EQ(DrainQueue(), (std::vector<Queued>{{{0xA5, 0, 15, 0, 0}, 22, false, false, true}}));
    transfers.StoreProgram(10);
    EXPECT_EQ(DrainQueue(), (std::vector<Queued>{{{0xA1, 5, 10, 0, 4}, 30, true, false, false},
                                                 {{0xA5, 0, 10, 0, 0}, 22, false, false, true}}));
    EXPECT_FALSE(transfers.StoreProgram(21).queued);
}

TEST_F(Transfers, NameWriteCarriesTheStoredName) {
    stores.presets.SetName(3, "Party");
    transfers.WriteProgramName(3);
    const CSendData* head = engine.Queue().Head();
    ASSERT_NE(head, nullptr);
    EXPECT_EQ(head->length, 30);
    EXPECT_EQ(head->frame[12], 'P');
    EXPECT_EQ(head->frame[16], 'y');
    EXPECT_EQ(head->frame[17], 0);
}

TEST_F(Transfers, SystemWritesFollowTheItemTable) {
    stores.system.SetByte(16, 2);
    stores.system.SetByte(7, 60);
    stores.system.SetByte(8, 30);
    stores.system.SetByte(9, 20);
    transfers.WriteSystemItem(4);
    transfers.WriteSystemItem(7);
    const CSendData* item4 = engine.Queue().Head();
    EXPECT_EQ(item4->length, 15);
    EXPECT_EQ(item4->frame[12], 2);
    EXPECT_TRUE(item4->longWait);
    engine.Queue().RemoveHead();
    const CSendData* item7 = engine.Queue().Head();
    EXPECT_EQ(Payload(*item7), (std::vector<uint8_t>{60, 30, 20, 0, 0, 0, 0, 0}));
    EXPECT_FALSE(transfers.WriteSystemItem(10));
}

TEST_F(Transfers, EffectGroupReadAndPresetRecall) {
    EXPECT_TRUE(transfers.ReadEffectGroup(24).showProgress);
    EXPECT_TRUE(transfers.RecallPreset(12).showProgress);
    EXPECT_FALSE(transfers.RecallPreset(0).queued);
    EXPECT_EQ(DrainQueue(),
              (std::vector<Queued>{{{0xA4, 3, 24, 0, 0xFF}, 22, true, true, false},
                                   {{0xA6, 0, 12, 0, 0xFF}, 22, true, false, false}}));
}

// The connect sequence over a serial link against a device that answers
// every request; the progress window is down once the program has arrived.
TEST_F(Transfers, ConnectSequenceRunsToTheEndOverSerial) {
    SerialPump pump(engine.Wiring(link, transfers.State()));
    transfers.ReadDeviceState();
    std::vector<uint8_t> image(1032, 0);
    for (int tick = 0; tick < 100 && link.transmitted.size() < 31; ++tick) {
        pump.Tick();
        if (link.transmitted.empty()) {
            continue;
        }
        const std::vector<uint8_t>& sent = link.transmitted.back();
        const uint8_t command = sent[5];
        if (command == Command::kRead && sent[6] == 5) {
            engine.FeedSerial(DeviceReply(command, 5, sent[7], 4, std::vector<uint8_t>(16, 'n')));
        } else if (command == Command::kRead) {
            engine.FeedSerial(DeviceReply(command, 6, 0, sent[9], std::vector<uint8_t>(8, 1)));
        } else if (command == Command::kProgramRead) {
            engine.FeedSerial(DeviceReply(command, 0, 0, 0xFF, image));
        }
    }
    ASSERT_EQ(link.transmitted.size(), 31u);
    EXPECT_EQ(link.transmitted.back()[5], Command::kProgramRead);
    EXPECT_EQ(events.log, (std::vector<std::string>{"system", "program", "finished"}));
    EXPECT_FALSE(transfers.IsTransferActive());
    EXPECT_EQ(stores.presets.NameBytes(20)[0], 'n');
    EXPECT_EQ(link.deadCount, 0);
}

}  // namespace
