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

const RequestKey kStore4{Command::kStorePreset, 0, 4};

TEST(ExchangeMonitor, AReplyBelongsToTheRequestSentLast) {
    ExchangeMonitor monitor(false);
    EXPECT_EQ(monitor.Outcome(kStore4), ReplyOutcome::NotSent);
    monitor.FrameSent(FrameOf(Command::kStorePreset, 0, 4));
    EXPECT_EQ(monitor.Outcome(kStore4), ReplyOutcome::Waiting);
    monitor.FrameSent(FrameOf(Command::kStatusPoll));
    monitor.FrameReceived(FrameOf(Command::kStatusPoll));
    EXPECT_EQ(monitor.Outcome(kStore4), ReplyOutcome::Waiting) << "the poll's reply is not ours";
    EXPECT_EQ(monitor.Outcome({Command::kStorePreset, 0, 5}), ReplyOutcome::NotSent);
}

TEST(ExchangeMonitor, ARefusalCanBeFollowedByTheAcceptanceOfTheResentRequest) {
    ExchangeMonitor monitor(false);
    monitor.FrameSent(FrameOf(Command::kStorePreset, 0, 4));
    monitor.FrameReceived(FrameOf(Command::kRefused));
    EXPECT_EQ(monitor.Outcome(kStore4), ReplyOutcome::Refused);
    monitor.FrameReceived(FrameOf(Command::kAccepted));
    EXPECT_EQ(monitor.Outcome(kStore4), ReplyOutcome::Answered);
    monitor.FrameReceived(FrameOf(Command::kRefused));
    EXPECT_EQ(monitor.Outcome(kStore4), ReplyOutcome::Answered) << "a stray refusal comes later";
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
