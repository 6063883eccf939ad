// SPDX-License-Identifier: GPL-3.0-or-later
// How soon an edit leaves on virtual ticks, and how many system writes a
// slider drag costs, against a device that answers every frame at once.
#include <gtest/gtest.h>

#include "PumpHarness.h"
#include "model/Audio_Data.h"
#include "protocol/DeviceTransfers.h"
#include "protocol/NetworkPump.h"
#include "protocol/SerialPump.h"

namespace {

std::vector<uint8_t> RowWrite(uint8_t channel, uint8_t fill) {
    return AssembleFrame({Command::kWrite, 1, 0, channel, 3}, std::vector<uint8_t>(8, fill));
}

// A device that answers each frame after `delayTicks` pump ticks (0: before
// the next tick), with the reply its command calls for.
struct TimedDevice {
    void AfterTick(PumpHarness& h) {
        while (answered < h.link.transmitted.size() &&
               h.link.transmitTicks[answered] + delayTicks <= h.link.tick) {
            const uint8_t command = h.link.transmitted[answered++][5];
            h.engine.FeedStream(command == Command::kStatusPoll
                                    ? DeviceReply(command, 0, 0, 0, std::vector<uint8_t>(8, 0))
                                    : Accepted());
        }
    }
    int delayTicks = 0;
    size_t answered = 0;
};

template <typename Pump>
void TickAndAnswer(PumpHarness& h, Pump& pump, TimedDevice& device, int lastTick) {
    for (; h.link.tick <= lastTick; ++h.link.tick) {
        pump.Tick();
        device.AfterTick(h);
    }
}

std::vector<int> PollTicks(const PumpHarness& h) {
    std::vector<int> ticks;
    for (size_t i = 0; i < h.link.transmitted.size(); ++i) {
        if (h.link.transmitted[i][5] == Command::kStatusPoll) {
            ticks.push_back(h.link.transmitTicks[i]);
        }
    }
    return ticks;
}

// A device slow enough that a second poll is queued behind the one on the
// wire: an edit made once that poll is the only one left goes out at the
// next tick in its place, and the polls around it keep their ticks.
template <typename Pump>
void CheckEditTakesTheQueuedPollsTurn() {
    PumpHarness idle;
    Pump idlePump(idle.engine.Wiring(idle.link, idle.transfer));
    TimedDevice idleDevice{.delayTicks = 1};
    TickAndAnswer(idle, idlePump, idleDevice, 20);

    PumpHarness h;
    Pump pump(h.engine.Wiring(h.link, h.transfer));
    TimedDevice device{.delayTicks = 1};
    TickAndAnswer(h, pump, device, 5);
    ASSERT_EQ(h.engine.Queue().Count(), 1);
    ASSERT_EQ(h.engine.Queue().Head()->command, Command::kStatusPoll);
    ASSERT_TRUE(h.engine.Queue().Head()->pending);
    h.source.changes.push_back(MakeMessage(RowWrite(0, 7)));
    TickAndAnswer(h, pump, device, 20);

    ASSERT_GE(h.link.transmitted.size(), 5u);
    EXPECT_EQ(h.link.transmitted[3], RowWrite(0, 7));
    EXPECT_EQ(h.link.transmitTicks[3], 6);
    std::vector<int> expectedPolls = PollTicks(idle);
    std::erase(expectedPolls, 6);
    EXPECT_EQ(PollTicks(h), expectedPolls);
    EXPECT_EQ(h.link.deadCount, 0);
}

// A device that answers between ticks: a one-field edit that marks both
// music channels has both rows on the wire within the next two ticks.
template <typename Pump>
void CheckBothRowsWithinTwoTicks() {
    PumpHarness h;
    Pump pump(h.engine.Wiring(h.link, h.transfer));
    TimedDevice device;
    TickAndAnswer(h, pump, device, 4);
    h.source.changes.push_back(MakeMessage(RowWrite(0, 7)));
    h.source.changes.push_back(MakeMessage(RowWrite(1, 7)));
    TickAndAnswer(h, pump, device, 8);

    ASSERT_EQ(h.link.transmitted.size(), 9u);
    EXPECT_EQ(h.link.transmitted[5], RowWrite(0, 7));
    EXPECT_EQ(h.link.transmitted[6], RowWrite(1, 7));
    for (size_t i = 0; i < h.link.transmitTicks.size(); ++i) {
        EXPECT_EQ(h.link.transmitTicks[i], static_cast<int>(i));
    }
}

TEST(EditPacing, SerialEditTakesThePlaceOfTheQueuedPoll) {
    CheckEditTakesTheQueuedPollsTurn<SerialPump>();
    CheckBothRowsWithinTwoTicks<SerialPump>();
}

TEST(EditPacing, NetworkEditTakesThePlaceOfTheQueuedPoll) {
    CheckEditTakesTheQueuedPollsTurn<NetworkPump>();
    CheckBothRowsWithinTwoTicks<NetworkPump>();
}

// A poll already on the wire is never taken back: the edit follows its answer.
TEST(EditPacing, PollOnTheWireIsStillAnswered) {
    PumpHarness h;
    SerialPump pump(h.engine.Wiring(h.link, h.transfer));
    pump.Tick();  // poll out, a second poll queued behind it
    h.source.changes.push_back(MakeMessage(RowWrite(0, 1)));
    ++h.link.tick;
    pump.Tick();  // no answer yet: the queued poll gives way, nothing is sent
    ASSERT_EQ(h.link.transmitted.size(), 1u);
    ASSERT_EQ(h.engine.Queue().Count(), 2);
    EXPECT_EQ(h.engine.Queue().Head()->command, Command::kStatusPoll);
    h.engine.FeedStream(DeviceReply(Command::kStatusPoll, 0, 0, 0, std::vector<uint8_t>(8, 0)));
    ++h.link.tick;
    pump.Tick();
    ASSERT_EQ(h.link.transmitted.size(), 2u);
    EXPECT_EQ(h.link.transmitted[1], RowWrite(0, 1));
}

TEST(EditPacing, UsbEditTakesThePlaceOfTheQueuedPoll) {
    PumpHarness h;
    UsbTransmission out;
    EXPECT_FALSE(h.engine.TakeHeadForUsb(out));  // a poll is queued
    h.source.changes.push_back(MakeMessage(RowWrite(0, 3)));
    ASSERT_TRUE(h.engine.TakeHeadForUsb(out));
    EXPECT_EQ(out.frame, RowWrite(0, 3));
    EXPECT_EQ(h.engine.Queue().Count(), 1);
}

class SliderDrag : public testing::Test, protected PumpHarness {
  protected:
    void SetUp() override { transfers.SetConnected(true); }

    // Payload byte 1 (a volume item's current value) of each write of `item` that went on the wire.
    std::vector<uint8_t> ItemWrites(int item) const {
        std::vector<uint8_t> values;
        for (const std::vector<uint8_t>& frame : link.transmitted) {
            if (frame[5] == Command::kWrite && frame[6] == SubCommand::kSystemItem &&
                frame[9] == item) {
                values.push_back(frame[13]);
            }
        }
        return values;
    }

    CAudio_Data program;
    DeviceTransfers transfers{engine.Queue(), program, stores.presets, stores.system};
};

// A drag moves the music volume through 40 values, one every 20 ms of a
// network link ticking every 200 ms; only the newest waiting value is sent.
TEST_F(SliderDrag, SendsAtMostOneWaitingWritePerItemAndTheLastValue) {
    NetworkPump pump(engine.Wiring(link, transfers.State()));
    const int musicItem = SystemData::VolumeItem(VolumeChannel::Music);
    const int micItem = SystemData::VolumeItem(VolumeChannel::Microphone);
    TimedDevice device;
    for (int step = 1; step <= 40; ++step) {
        stores.system.SetByte(14, static_cast<uint8_t>(step));
        transfers.WriteSystemItem(musicItem);
        if (step == 20) {
            transfers.WriteSystemItem(micItem);  // another item keeps its own write
        }
        EXPECT_LE(engine.Queue().Count(), 4);
        if (step % 10 == 0) {
            pump.Tick();
            device.AfterTick(*this);
            ++link.tick;
        }
    }
    TickAndAnswer(*this, pump, device, link.tick + 5);

    // 10 on the first tick; 20 waited behind a poll and gave way to 30.
    EXPECT_EQ(ItemWrites(musicItem), (std::vector<uint8_t>{10, 30, 40}));
    EXPECT_EQ(ItemWrites(micItem).size(), 1u);
}

// A write already on the wire is left alone; the next value queues behind it.
TEST_F(SliderDrag, WriteOnTheWireIsNotReplaced) {
    SerialPump pump(engine.Wiring(link, transfers.State()));
    const int item = SystemData::VolumeItem(VolumeChannel::Music);
    stores.system.SetByte(14, 1);
    transfers.WriteSystemItem(item);
    pump.Tick();
    stores.system.SetByte(14, 2);
    transfers.WriteSystemItem(item);
    stores.system.SetByte(14, 3);
    transfers.WriteSystemItem(item);
    EXPECT_EQ(engine.Queue().Head()->frame[13], 1);
    TimedDevice device;
    device.AfterTick(*this);
    ++link.tick;
    TickAndAnswer(*this, pump, device, 5);
    EXPECT_EQ(ItemWrites(item), (std::vector<uint8_t>{1, 3}));
}

}  // namespace
