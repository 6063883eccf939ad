// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "device/ExchangeMonitor.h"
#include "protocol/Frame.h"

namespace {

using cli::ExchangeMonitor;
using cli::ReplyOutcome;
using cli::RequestKey;

std::vector<uint8_t> FrameOf(uint8_t command, uint8_t subCommand = 0, uint8_t a = 0) {
    return AssembleFrame({command, subCommand, a, 0, 0}, std::vector<uint8_t>(8, 0));
}

const RequestKey kStore4{Command::kStorePreset, 0, 4, 0};

// Only the engine's match settles a request: a frame that merely arrives
// after it (the answer to an earlier poll) does not.
TEST(ExchangeMonitor, OnlyTheEnginesMatchSettlesARequest) {
    ExchangeMonitor monitor(false);
    EXPECT_EQ(monitor.Outcome(kStore4), ReplyOutcome::NotSent);
    monitor.FrameSent(FrameOf(Command::kStorePreset, 0, 4));
    EXPECT_EQ(monitor.Outcome(kStore4), ReplyOutcome::Waiting);
    monitor.FrameReceived(FrameOf(Command::kStatusPoll));
    monitor.FrameReceived(FrameOf(Command::kAccepted));
    EXPECT_EQ(monitor.Outcome(kStore4), ReplyOutcome::Waiting);
    monitor.RequestSettled(FrameOf(Command::kStorePreset, 0, 4), RequestEnd::Answered);
    EXPECT_EQ(monitor.Outcome(kStore4), ReplyOutcome::Answered);
    EXPECT_EQ(monitor.Outcome({Command::kStorePreset, 0, 5, 0}), ReplyOutcome::NotSent);
    EXPECT_FALSE(monitor.Refusal());
}

// USB sends a refused request again; its acceptance then settles it.
TEST(ExchangeMonitor, ARefusalCanBeFollowedByTheAcceptanceOfTheResentRequest) {
    ExchangeMonitor monitor(false);
    monitor.FrameSent(FrameOf(Command::kStorePreset, 0, 4));
    monitor.RequestSettled(FrameOf(Command::kStorePreset, 0, 4), RequestEnd::Refused);
    EXPECT_EQ(monitor.Outcome(kStore4), ReplyOutcome::Refused);
    EXPECT_EQ(monitor.Refusal(), kStore4);
    monitor.FrameSent(FrameOf(Command::kStorePreset, 0, 4));
    monitor.RequestSettled(FrameOf(Command::kStorePreset, 0, 4), RequestEnd::Answered);
    EXPECT_EQ(monitor.Outcome(kStore4), ReplyOutcome::Answered);
    EXPECT_FALSE(monitor.Refusal());
}

TEST(ExchangeMonitor, RequestsAreNamedForTheUser) {
    const std::pair<RequestKey, const char*> cases[] = {
        {{Command::kRead, 5, 3, 4}, "the read of the name of slot 3"},
        {{Command::kRead, 6, 0, 9}, "the read of system item 9"},
        {{Command::kProgramRead, 0, 0, 255}, "the read of the current program"},
        {{Command::kProgramWrite, 0, 0, 0}, "the program download"},
        {{Command::kWrite, 1, 0, 2}, "a parameter row write"},
        {{Command::kRecallPreset, 0, 7, 255}, "the recall of preset 7"},
    };
    for (const auto& [key, text] : cases) {
        EXPECT_EQ(cli::DescribeRequest(key), text);
    }
}

TEST(ExchangeMonitor, KeepsATranscriptOnlyWhenAskedAndHandsEachLineOnce) {
    ExchangeMonitor quiet(false);
    quiet.FrameSent(FrameOf(Command::kStatusPoll));
    EXPECT_TRUE(quiet.TakeTranscript().empty());

    ExchangeMonitor verbose(true);
    verbose.FrameSent(FrameOf(Command::kStatusPoll));
    verbose.FrameReceived(FrameOf(Command::kAccepted));
    const std::vector<std::string> lines = verbose.TakeTranscript();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "sent 5A 5A 5A 00 00 A9 00 00 00 00 08 00 00 00 00 00 00 00 00 00 FB AA");
    EXPECT_TRUE(lines[1].starts_with("received 5A 5A 5A 00 00 AA "));
    EXPECT_TRUE(verbose.TakeTranscript().empty());
}

}  // namespace
