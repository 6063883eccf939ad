// SPDX-License-Identifier: GPL-3.0-or-later
// A reply completes only the request it answers: late answers to earlier
// requests (a poll, a resent write) are passed over and store nothing.
#include <gtest/gtest.h>

#include "PumpHarness.h"
#include "protocol/ReplyMatching.h"
#include "protocol/SerialPump.h"

namespace {

std::vector<uint8_t> PollReply() {
    return DeviceReply(Command::kStatusPoll, 0, 0, 0, std::vector<uint8_t>(8, 0));
}

std::vector<uint8_t> NameReply(uint8_t slot) {
    return DeviceReply(Command::kRead, 5, slot, 4, std::vector<uint8_t>(16, 'x'));
}

TEST(ReplyMatching, EachReplyAnswersOnlyItsOwnKindOfRequest) {
    const std::vector<uint8_t> image(1032, 0);
    struct Case {
        const char* what;
        std::unique_ptr<CSendData> request;
        std::vector<uint8_t> reply;
        bool answers;
    };
    Case cases[] = {
        {"write accepted", BuildSystemWrite(7, std::vector<uint8_t>(8, 1)), Accepted(), true},
        {"download accepted", BuildZeroPayloadRequest(Command::kProgramWrite, 0, 0, 0, 0),
         Accepted(), true},
        {"store accepted", BuildStorePreset(3), Accepted(), true},
        {"poll answered", BuildStatusPoll(), PollReply(), true},
        {"poll reply to a write", BuildSystemWrite(7, std::vector<uint8_t>(8, 1)), PollReply(),
         false},
        {"acceptance of a poll", BuildStatusPoll(), Accepted(), false},
        {"name of its slot", BuildNameRead(3), NameReply(3), true},
        {"name of another slot", BuildNameRead(3), NameReply(2), false},
        {"system item of another number", BuildSystemRead(4),
         DeviceReply(Command::kRead, 6, 0, 9, std::vector<uint8_t>(8, 0)), false},
        {"name for a system read", BuildSystemRead(4), NameReply(4), false},
        {"program for a recall", BuildRecallPreset(2),
         DeviceReply(Command::kProgramRead, 0, 0, 0xFF, image), false},
        {"program read", BuildProgramRead(), DeviceReply(Command::kProgramRead, 0, 0, 0xFF, image),
         true},
        {"effect group", BuildEffectGroupRead(22),
         DeviceReply(Command::kEffectGroupRead, 3, 22, 0xFF, std::vector<uint8_t>(48, 0)), true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AnswersRequest(ReadFrameHeader(c.reply), c.request->frame), c.answers) << c.what;
    }
}

// A late reply leaves the head waiting and stores nothing, on either path.
TEST(ReplyMatching, LateReplyToAnEarlierRequestStoresNothing) {
    PumpHarness h;
    h.engine.Post(BuildNameRead(3));
    h.engine.FeedStream(NameReply(2));
    h.engine.FeedStream(PollReply());
    EXPECT_EQ(h.engine.Queue().Count(), 1);
    EXPECT_EQ(h.stores.presets.NameBytes(2)[0], 0);
    h.engine.FeedStream(NameReply(3));
    EXPECT_EQ(h.engine.Queue().Count(), 0);
    EXPECT_EQ(h.stores.presets.NameBytes(3)[0], 'x');

    h.engine.Post(BuildProgramRead());
    UsbTransmission out;
    ASSERT_TRUE(h.engine.TakeHeadForUsb(out));
    const UsbFeedResult late = h.engine.FeedUsb(PollReply());
    EXPECT_TRUE(late.lateReply);  // the worker reads on for the head's own reply
    EXPECT_FALSE(late.error);
    EXPECT_EQ(h.engine.Queue().Count(), 1);
    EXPECT_TRUE(h.events.log.empty());
}

// Over serial a silent device gets the request again after 40 ticks; when it
// then answers both sends, the second acceptance is not the next write's.
TEST(ReplyMatching, SecondAnswerToAResentWriteIsNotTheNextWritesAnswer) {
    PumpHarness h;
    SerialPump pump(h.engine.Wiring(h.link, h.transfer));
    h.engine.Post(BuildSystemWrite(7, std::vector<uint8_t>(8, 1)));
    h.engine.Post(BuildZeroPayloadRequest(Command::kProgramWrite, 0, 0, 0, 0));
    RunTicks(h, pump, 40);
    ASSERT_EQ(h.link.transmitted.size(), 2u);  // sent and resent
    h.engine.FeedStream(Accepted());
    RunTicks(h, pump, 41);
    ASSERT_EQ(h.link.transmitted.back()[5], Command::kProgramWrite);
    h.engine.FeedStream(Accepted());  // the device's answer to the resend
    ASSERT_EQ(h.engine.Queue().Count(), 2);
    EXPECT_EQ(h.engine.Queue().Head()->command, Command::kProgramWrite);
    h.engine.FeedStream(Accepted());
    EXPECT_EQ(h.engine.Queue().Head()->command, Command::kStatusPoll);
}

// An answer the device never sends is not expected for ever: once two resend
// intervals have passed, the next acceptance answers the request waiting.
TEST(ReplyMatching, OwedAnswerThatNeverCameIsForgotten) {
    PumpHarness h;
    SerialPump pump(h.engine.Wiring(h.link, h.transfer));
    h.engine.Post(BuildSystemWrite(7, std::vector<uint8_t>(8, 1)));
    RunTicks(h, pump, 40);
    h.engine.FeedStream(Accepted());
    h.source.changes.push_back(BuildSystemWrite(8, std::vector<uint8_t>(8, 2)));
    RunTicks(h, pump, 40 + 2 * SerialPump::kResendTicks);
    ASSERT_EQ(h.engine.Queue().Head()->command, Command::kWrite);
    ASSERT_EQ(h.link.deadCount, 0);
    h.engine.FeedStream(Accepted());
    EXPECT_EQ(h.engine.Queue().Head()->command, Command::kStatusPoll);
}

// A refusal answers whatever is waiting; a late poll reply does not.
TEST(ReplyMatching, RefusalStillEndsTheHead) {
    PumpHarness h;
    h.engine.Post(BuildRecallPreset(4));
    h.engine.FeedStream(PollReply());
    EXPECT_EQ(h.engine.Queue().Count(), 1);
    h.engine.FeedStream(DeviceReply(Command::kRefused));
    EXPECT_EQ(h.engine.Queue().Count(), 0);
}

}  // namespace
