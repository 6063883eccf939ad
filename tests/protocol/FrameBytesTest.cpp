// SPDX-License-Identifier: GPL-3.0-or-later
// Outgoing frames keep their bytes inside the message up to a fixed size and
// on the heap beyond it. Every size on either side of that boundary must keep
// its bytes through copies and moves, and a message built from a header and a
// payload must be the very frame AssembleFrame makes.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "protocol/Frame.h"
#include "protocol/FrameBytes.h"
#include "protocol/SendData.h"

namespace {

std::vector<uint8_t> Pattern(size_t size) {
    std::vector<uint8_t> bytes(size);
    for (size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<uint8_t>(i * 37 + 11);
    }
    return bytes;
}

constexpr size_t kCapacity = FrameBytes::kInlineCapacity;

class FrameBytesOfSize : public testing::TestWithParam<size_t> {};

TEST_P(FrameBytesOfSize, KeepsItsBytesThroughCopiesAndMoves) {
    const std::vector<uint8_t> expected = Pattern(GetParam());
    const FrameBytes original(expected);
    ASSERT_EQ(original.size(), expected.size());
    EXPECT_EQ(original.empty(), expected.empty());
    EXPECT_EQ(original, expected);
    EXPECT_EQ(original.ToVector(), expected);

    FrameBytes copy(original);
    EXPECT_EQ(copy, expected);
    // A copy owns its bytes: it survives the original.
    EXPECT_TRUE(expected.empty() || copy.data() != original.data());

    FrameBytes moved(std::move(copy));
    EXPECT_EQ(moved, expected);
    EXPECT_TRUE(copy.empty());  // a moved-from frame is left empty

    // Assignment over frames of the other kind frees or reuses the old bytes.
    FrameBytes copyAssigned(Pattern(kCapacity + 9));
    copyAssigned = original;
    EXPECT_EQ(copyAssigned, expected);
    FrameBytes moveAssigned(Pattern(3));
    moveAssigned = std::move(moved);
    EXPECT_EQ(moveAssigned, expected);
    EXPECT_TRUE(moved.empty());

    FrameBytes& self = moveAssigned;
    moveAssigned = self;
    EXPECT_EQ(moveAssigned, expected);
    moveAssigned = std::move(self);
    EXPECT_EQ(moveAssigned, expected);
}

TEST_P(FrameBytesOfSize, MovingAHeapFrameHandsOverItsBlockAndAnInlineOneCopies) {
    FrameBytes source(Pattern(GetParam()));
    const uint8_t* before = source.data();
    const FrameBytes moved(std::move(source));
    EXPECT_EQ(moved.data() == before, GetParam() > kCapacity);
}

INSTANTIATE_TEST_SUITE_P(AroundTheInlineCapacity, FrameBytesOfSize,
                         testing::Values(size_t{0}, size_t{1}, kCapacity - 1, kCapacity,
                                         kCapacity + 1, kMaxFrameLength),
                         [](const auto& info) { return "Size" + std::to_string(info.param); });

TEST(FrameBytes, ComparesByContent) {
    const std::vector<uint8_t> bytes = Pattern(20);
    std::vector<uint8_t> other = bytes;
    other[19] ^= 1;
    EXPECT_EQ(FrameBytes(bytes), FrameBytes(bytes));
    EXPECT_NE(FrameBytes(bytes), FrameBytes(other));
    EXPECT_NE(FrameBytes(bytes), FrameBytes(Pattern(21)));
    EXPECT_NE(FrameBytes(bytes), other);
}

// A small request stays in the message, a whole program goes on the heap:
// both must be byte for byte what AssembleFrame makes, with the message's
// length and command taken from it.
TEST(MessageFromHeader, IsTheAssembledFrame) {
    const FrameHeader header{0xA7, 0x01, 0x02, 0x03, 0x04};
    for (const size_t payloadSize : {size_t{0}, size_t{8}, kCapacity - kFrameOverhead,
                                     kCapacity - kFrameOverhead + 1, kMaxPayloadLength}) {
        const std::vector<uint8_t> payload = Pattern(payloadSize);
        const std::vector<uint8_t> expected = AssembleFrame(header, payload);
        const std::unique_ptr<CSendData> message = MakeMessage(header, payload);
        EXPECT_EQ(message->frame, expected) << payloadSize << "-byte payload";
        EXPECT_EQ(message->length, static_cast<int>(expected.size()));
        EXPECT_EQ(message->command, 0xA7);
        EXPECT_TRUE(IsValidFrame(message->frame));
        const std::unique_ptr<CSendData> fromFrame = MakeMessage(expected);
        EXPECT_EQ(fromFrame->frame, message->frame);
        EXPECT_EQ(fromFrame->length, message->length);
        EXPECT_EQ(fromFrame->command, message->command);
    }
}

}  // namespace
