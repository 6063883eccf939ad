// SPDX-License-Identifier: GPL-3.0-or-later
// The serial pump on virtual time: sends, resends, link death, polling.
#include <gtest/gtest.h>

#include "PumpHarness.h"
#include "protocol/SerialPump.h"

namespace {

class SerialPumpTest : public testing::Test, protected PumpHarness {
  protected:
    SerialPump pump{engine.Wiring(link, transfer)};
};

TEST_F(SerialPumpTest, SilentDeviceOrdinaryMessage) {
    RunTicks(*this, pump, 79);
    EXPECT_EQ(link.deadCount, 0);
    RunTicks(*this, pump, 80);
    EXPECT_EQ(link.transmitTicks, (std::vector<int>{0, 40}));
    EXPECT_EQ(link.deadTick, 80);
    EXPECT_EQ(link.receiverResets, 1);
}

TEST_F(SerialPumpTest, SilentDeviceLongWaitMessageClearsTheTransferFlag) {
    engine.Post(LongWait(BuildNameRead(0)));
    transfer.transferActive = true;
    RunTicks(*this, pump, 400);
    EXPECT_EQ(link.deadCount, 0);
    RunTicks(*this, pump, 401);
    EXPECT_EQ(link.transmitTicks, (std::vector<int>{0, 200}));
    EXPECT_EQ(link.deadTick, 401);
    EXPECT_FALSE(transfer.transferActive);
}

TEST_F(SerialPumpTest, ResendRepeatsTheSameFrame) {
    RunTicks(*this, pump, 40);
    ASSERT_EQ(link.transmitted.size(), 2u);
    EXPECT_EQ(link.transmitted[0], link.transmitted[1]);
}

TEST_F(SerialPumpTest, IdleLinkPollsOneAtATimeAndQueuesAtMostTwo) {
    for (; link.tick < 500; ++link.tick) {
        pump.Tick();
        EXPECT_LE(engine.Queue().Count(), 2);
        if (link.tick % 3 == 2) {
            engine.FeedSerial(DeviceReply(Command::kStatusPoll, 0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}));
        }
    }
    ASSERT_GT(link.transmitted.size(), 100u);
    for (const auto& frame : link.transmitted) {
        EXPECT_EQ(frame[5], Command::kStatusPoll);
    }
    EXPECT_EQ(link.deadCount, 0);
}

TEST_F(SerialPumpTest, ChangeMadeDuringAPollGoesRightAfterIt) {
    pump.Tick();  // the first poll goes out
    const std::vector<uint8_t> change =
        AssembleFrame({Command::kWrite, 4, 0, 2, 1}, std::vector<uint8_t>(8, 7));
    source.changes.push_back(MakeMessage(change));
    ++link.tick;
    pump.Tick();  // the change is queued behind the outstanding poll
    ASSERT_EQ(engine.Queue().Count(), 2);
    engine.FeedSerial(DeviceReply(Command::kStatusPoll, 0, 0, 0, std::vector<uint8_t>(8, 0)));
    ++link.tick;
    pump.Tick();
    ASSERT_EQ(link.transmitted.size(), 2u);
    EXPECT_EQ(link.transmitted[1], change);
    EXPECT_EQ(link.transmitTicks[1], 2);
}

TEST_F(SerialPumpTest, SendingTheEndOfATransferClearsTheFlag) {
    struct Case {
        bool longWait, endOfRead, endOfWrite, clears;
    };
    for (const Case c : {Case{true, true, false, true}, Case{true, false, true, true},
                         Case{false, false, true, false}, Case{true, false, false, false}}) {
        PumpHarness h;
        SerialPump casePump(h.engine.Wiring(h.link, h.transfer));
        std::unique_ptr<CSendData> message = BuildProgramRead();
        message->longWait = c.longWait;
        message->endOfRead = c.endOfRead;
        message->endOfWrite = c.endOfWrite;
        h.engine.Post(std::move(message));
        h.transfer.transferActive = true;
        casePump.Tick();
        EXPECT_EQ(h.transfer.transferActive, !c.clears)
            << c.longWait << c.endOfRead << c.endOfWrite;
    }
}

TEST_F(SerialPumpTest, ReadSizeFollowsTheHeadCommand) {
    EXPECT_EQ(engine.SerialReadSize(), 0);
    const std::vector<std::pair<std::unique_ptr<CSendData> (*)(), int>> cases{
        {[] { return BuildEffectGroupRead(22); }, 200},
        {[] { return BuildRecallPreset(1); }, 1200},
        {[] { return BuildProgramRead(); }, 1200},
        {[] { return BuildStatusPoll(); }, 50},
    };
    for (const auto& [build, size] : cases) {
        engine.Queue().Clear();
        engine.Post(build());
        EXPECT_EQ(engine.SerialReadSize(), size);
    }
}

}  // namespace
