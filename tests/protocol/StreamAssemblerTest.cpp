// SPDX-License-Identifier: GPL-3.0-or-later
// Reassembly of replies from serial reads and network receives of any size.
#include <gtest/gtest.h>

#include <vector>

#include "ProtocolFakes.h"
#include "protocol/StreamAssembler.h"

namespace {

using Outcome = StreamAssembler::Outcome;

std::vector<uint8_t> Concat(std::vector<uint8_t> a, const std::vector<uint8_t>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::span<const uint8_t> Slice(const std::vector<uint8_t>& bytes, size_t from, size_t count) {
    return std::span<const uint8_t>(bytes).subspan(from, count);
}

TEST(StreamAssembler, SkipsStrayBytesBeforeAReply) {
    StreamAssembler assembler;
    const std::vector<uint8_t> read = Concat({0x13, 0x37}, Accepted());
    ASSERT_EQ(assembler.Feed(read), Outcome::Complete);
    EXPECT_EQ(std::vector<uint8_t>(assembler.Frame().begin(), assembler.Frame().end()), Accepted());
}

TEST(StreamAssembler, StraySyncByteInNoiseDoesNotMisalignTheReply) {
    StreamAssembler assembler;
    EXPECT_EQ(assembler.Feed(Concat({0x5A, 0x13}, Accepted())), Outcome::Complete);
}

TEST(StreamAssembler, TerminatorBetweenSyncBytesIsSkipped) {
    // 5A 5A AA 5A: the frame starts at the third 0x5A, so the header's sync bytes
    // are supplied by the assembler and only the rest of the frame follows.
    const std::vector<uint8_t> reply = Accepted();
    std::vector<uint8_t> read{0x5A, 0x5A, 0xAA, 0x5A};
    read.insert(read.end(), reply.begin() + 3, reply.end());
    StreamAssembler assembler;
    ASSERT_EQ(assembler.Feed(read), Outcome::Complete);
    EXPECT_EQ(assembler.Frame()[5], Command::kAccepted);
}

TEST(StreamAssembler, AnyOtherByteAfterTwoSyncBytesLosesTheSync) {
    const std::vector<uint8_t> reply = Accepted();
    std::vector<uint8_t> read{0x5A, 0x5A, 0x00, 0x5A};
    read.insert(read.end(), reply.begin() + 3, reply.end());
    StreamAssembler assembler;
    EXPECT_NE(assembler.Feed(read), Outcome::Complete);
}

TEST(StreamAssembler, ReplySplitOverThreeReads) {
    const std::vector<uint8_t> reply = Accepted();
    StreamAssembler assembler;
    EXPECT_EQ(assembler.Feed(Slice(reply, 0, 5)), Outcome::Incomplete);
    EXPECT_EQ(assembler.Feed(Slice(reply, 5, 10)), Outcome::Incomplete);
    EXPECT_EQ(assembler.Feed(Slice(reply, 15, 7)), Outcome::Complete);
    EXPECT_EQ(assembler.Frame().size(), 22u);
}

TEST(StreamAssembler, ByteAtATimeProgramReply) {
    const std::vector<uint8_t> reply =
        DeviceReply(Command::kProgramRead, 0, 0, 0, std::vector<uint8_t>(1032, 0x5A));
    StreamAssembler assembler;
    for (size_t i = 0; i + 1 < reply.size(); ++i) {
        ASSERT_EQ(assembler.Feed(Slice(reply, i, 1)), Outcome::Incomplete) << "byte " << i;
    }
    EXPECT_EQ(assembler.Feed(Slice(reply, reply.size() - 1, 1)), Outcome::Complete);
    EXPECT_EQ(assembler.Frame().size(), 1046u);
}

// A reply that arrives whole is read where it lies, a split one is collected:
// both must give the same frame, whatever noise came before it.
TEST(StreamAssembler, EverySplitAndNoiseGivesTheSameFrame) {
    std::vector<uint8_t> payload(1032);
    for (size_t i = 0; i < payload.size(); ++i) {
        payload[i] = static_cast<uint8_t>(i * 7);
    }
    const std::vector<uint8_t> reply = DeviceReply(Command::kProgramRead, 0, 0, 0, payload);
    for (const std::vector<uint8_t>& noise :
         {std::vector<uint8_t>{}, std::vector<uint8_t>{0x13}, std::vector<uint8_t>{0x5A, 0x01},
          std::vector<uint8_t>{0x5A, 0x5A, 0x00}}) {
        const std::vector<uint8_t> read = Concat(noise, reply);
        for (size_t split = 0; split < read.size(); split += 13) {
            StreamAssembler assembler;
            assembler.Feed(Slice(read, 0, split));
            ASSERT_EQ(assembler.Feed(Slice(read, split, read.size() - split)), Outcome::Complete)
                << "noise " << noise.size() << ", split at " << split;
            ASSERT_EQ(std::vector<uint8_t>(assembler.Frame().begin(), assembler.Frame().end()),
                      reply)
                << "noise " << noise.size() << ", split at " << split;
        }
    }
}

TEST(StreamAssembler, SecondReplyInTheSameReadIsDropped) {
    StreamAssembler assembler;
    const std::vector<uint8_t> read =
        Concat(Accepted(), DeviceReply(Command::kStatusPoll, 0, 0, 0, std::vector<uint8_t>(8, 0)));
    EXPECT_EQ(assembler.Feed(read), Outcome::Complete);
    EXPECT_EQ(assembler.Frame()[5], Command::kAccepted);
    EXPECT_FALSE(assembler.IsInFrame());
    EXPECT_EQ(assembler.Feed(std::vector<uint8_t>{0x01}), Outcome::Incomplete);
}

TEST(StreamAssembler, RejectsBadChecksumAndBadTerminatorThenRecovers) {
    for (const size_t corrupt : {size_t{20}, size_t{21}}) {
        std::vector<uint8_t> bad = Accepted();
        bad[corrupt] ^= 0x01;
        StreamAssembler assembler;
        EXPECT_EQ(assembler.Feed(bad), Outcome::Rejected) << "corrupted byte " << corrupt;
        EXPECT_EQ(assembler.Feed(Accepted()), Outcome::Complete);
    }
}

TEST(StreamAssembler, OversizedHeaderIsDroppedAndSearchingResumes) {
    // Announces 0xFFFF payload bytes: far more than the buffer holds.
    std::vector<uint8_t> header{0x5A, 0x5A, 0x5A, 0, 0, 0xA8, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0};
    std::vector<uint8_t> read = header;
    read.insert(read.end(), 3000, 0x5A);
    StreamAssembler assembler;
    EXPECT_EQ(assembler.Feed(read), Outcome::Rejected);
    EXPECT_FALSE(assembler.IsInFrame());
    EXPECT_EQ(assembler.Feed(Accepted()), Outcome::Complete);
}

TEST(StreamAssembler, LongestValidFrameIsAccepted) {
    const std::vector<uint8_t> reply =
        DeviceReply(Command::kRecallPreset, 0, 0, 0, std::vector<uint8_t>(kMaxPayloadLength, 0xAA));
    StreamAssembler assembler;
    EXPECT_EQ(assembler.Feed(reply), Outcome::Complete);
}

TEST(StreamAssembler, ResetAbandonsAHalfReceivedFrame) {
    const std::vector<uint8_t> reply = Accepted();
    StreamAssembler assembler;
    assembler.Feed(Slice(reply, 0, 10));
    assembler.Reset();
    EXPECT_EQ(assembler.Feed(Slice(reply, 10, 12)), Outcome::Incomplete);
    EXPECT_EQ(assembler.Feed(reply), Outcome::Complete);
}

}  // namespace
