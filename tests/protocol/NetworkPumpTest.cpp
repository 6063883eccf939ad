// SPDX-License-Identifier: GPL-3.0-or-later
// The network pump on virtual time: reconnects counted per connection.
#include <gtest/gtest.h>

#include "PumpHarness.h"
#include "protocol/NetworkPump.h"

namespace {

class NetworkPumpTest : public testing::Test, protected PumpHarness {
  protected:
    // Runs until the pump asks for a reconnect, then answers it.
    void SilentUntilReconnect(bool connected) {
        const size_t asked = link.reconnects.size();
        while (link.reconnects.size() == asked && link.deadCount == 0) {
            pump.Tick();
            ++link.tick;
        }
        if (link.deadCount == 0) {
            link.FinishReconnect(connected);
        }
    }

    NetworkPump pump{engine.Wiring(link, transfer)};
};

TEST_F(NetworkPumpTest, ReconnectsAfterOneHundredTicksAndSendsAfresh) {
    SilentUntilReconnect(true);
    EXPECT_EQ(link.tick, 101);  // asked on tick 100
    EXPECT_EQ(link.receiverResets, 1);
    pump.Tick();
    EXPECT_EQ(link.transmitTicks, (std::vector<int>{0, 101}));
    EXPECT_EQ(link.transmitted[0], link.transmitted[1]);
}

TEST_F(NetworkPumpTest, ThirdReconnectOfOneConnectionIsFatalDespiteGoodReplies) {
    SilentUntilReconnect(true);
    engine.FeedNetwork(DeviceReply(Command::kStatusPoll, 0, 0, 0, std::vector<uint8_t>(8, 0)));
    SilentUntilReconnect(true);
    engine.FeedNetwork(DeviceReply(Command::kStatusPoll, 0, 0, 0, std::vector<uint8_t>(8, 0)));
    SilentUntilReconnect(true);
    EXPECT_EQ(link.deadCount, 1);
    EXPECT_EQ(link.reconnects.size(), 0u);
    EXPECT_EQ(pump.GetReconnectCount(), 3);
}

TEST_F(NetworkPumpTest, LongWaitMessageSurvivesThreeReconnects) {
    engine.Post(LongWait(BuildProgramRead(), true));
    for (int i = 0; i < 3; ++i) {
        SilentUntilReconnect(true);
    }
    EXPECT_EQ(link.deadCount, 0);
    SilentUntilReconnect(true);
    EXPECT_EQ(link.deadCount, 1);
}

TEST_F(NetworkPumpTest, NewConnectionStartsTheCountAgain) {
    SilentUntilReconnect(true);
    SilentUntilReconnect(true);
    pump.ResetConnection();
    SilentUntilReconnect(true);
    EXPECT_EQ(link.deadCount, 0);
}

TEST_F(NetworkPumpTest, FailedReconnectDeclaresTheLinkDead) {
    SilentUntilReconnect(false);
    EXPECT_EQ(link.deadCount, 1);
    EXPECT_EQ(engine.Queue().Count(), 0);
}

TEST(NetworkPumpLifetime, LateReconnectAfterThePumpIsGoneIsHarmless) {
    PumpHarness h;
    {
        NetworkPump pump(h.engine.Wiring(h.link, h.transfer));
        for (int tick = 0; tick <= 100; ++tick) {
            pump.Tick();
        }
    }
    ASSERT_EQ(h.link.reconnects.size(), 1u);
    h.link.FinishReconnect(true);
    EXPECT_EQ(h.link.receiverResets, 0);
}

}  // namespace
