// SPDX-License-Identifier: GPL-3.0-or-later
// Byte-exact requests that need no program data. Each case names the request
// and gives the full frame the device must see.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "protocol/Frame.h"
#include "protocol/Requests.h"

namespace {

struct GoldenFrame {
    std::string name;
    std::function<std::unique_ptr<CSendData>()> build;
    std::vector<uint8_t> expected;
};

std::vector<uint8_t> WithZeros(std::vector<uint8_t> head, size_t zeros, std::vector<uint8_t> tail) {
    head.insert(head.end(), zeros, 0x00);
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

const std::array<uint8_t, 16> kNameAbc{'A', 'B', 'C'};
const std::array<uint8_t, 1> kItem4Byte{0x07};

std::vector<GoldenFrame> GoldenFrames() {
    return {
        {"StatusPoll", [] { return BuildStatusPoll(); },
         WithZeros({0x5A, 0x5A, 0x5A, 0, 0, 0xA9, 0, 0, 0, 0, 0x08, 0x00}, 8, {0xFB, 0xAA})},
        {"SystemItem4Read", [] { return BuildSystemRead(4); },
         WithZeros({0x5A, 0x5A, 0x5A, 0, 0, 0xA2, 0x06, 0, 0, 0x04, 0x08, 0x00}, 8, {0xF2, 0xAA})},
        {"EffectGroup24Read", [] { return BuildEffectGroupRead(24); },
         AssembleFrame({0xA4, 0x03, 0x18, 0x00, 0xFF}, std::vector<uint8_t>(8, 0))},
        {"SystemItem4Write",
         [] { return BuildSystemWrite(4, kItem4Byte); },
         {0x5A, 0x5A, 0x5A, 0, 0, 0xA1, 0x06, 0, 0, 0x04, 0x01, 0x00, 0x07,
          static_cast<uint8_t>(0x5A ^ 0xA1 ^ 0x06 ^ 0x04 ^ 0x01 ^ 0x07), 0xAA}},
        {"NameWriteSlot3", [] { return BuildNameWrite(3, kNameAbc); },
         AssembleFrame({0xA1, 0x05, 0x03, 0x00, 0x04}, kNameAbc)},
        {"StorePresetSlot15", [] { return BuildStorePreset(15); },
         AssembleFrame({0xA5, 0, 15, 0, 0}, std::vector<uint8_t>(8, 0))},
        {"RecallPresetSlot2", [] { return BuildRecallPreset(2); },
         AssembleFrame({0xA6, 0, 2, 0, 0xFF}, std::vector<uint8_t>(8, 0))},
        {"ProgramRead", [] { return BuildProgramRead(); },
         AssembleFrame({0xA8, 0, 0, 0, 0xFF}, std::vector<uint8_t>(8, 0))},
        {"NameReadSlot20", [] { return BuildNameRead(20); },
         AssembleFrame({0xA2, 0x05, 20, 0, 0x04}, std::vector<uint8_t>(8, 0))},
    };
}

class RequestFrames : public testing::TestWithParam<GoldenFrame> {};

TEST_P(RequestFrames, AreByteExact) {
    const std::unique_ptr<CSendData> message = GetParam().build();
    EXPECT_EQ(message->frame, GetParam().expected);
    EXPECT_EQ(message->length, static_cast<int>(GetParam().expected.size()));
    EXPECT_EQ(message->command, GetParam().expected[5]);
    EXPECT_TRUE(message->pending);
    EXPECT_FALSE(message->longWait || message->endOfRead || message->endOfWrite);
}

INSTANTIATE_TEST_SUITE_P(Golden, RequestFrames, testing::ValuesIn(GoldenFrames()),
                         [](const auto& info) { return info.param.name; });

TEST(RequestFrames, SizesFollowThePayloadLengths) {
    EXPECT_EQ(BuildSystemWrite(4, kItem4Byte)->length, 15);
    EXPECT_EQ(BuildNameWrite(3, kNameAbc)->length, 30);
    EXPECT_EQ(BuildStatusPoll()->length, 22);
}

TEST(RequestFrames, PayloadFullOfSyncAndTerminatorBytesIsStillOneFrame) {
    const std::array<uint8_t, 16> tricky{0x5A, 0x5A, 0x5A, 0xAA, 0x5A, 0xAA};
    const std::unique_ptr<CSendData> message = BuildNameWrite(1, tricky);
    EXPECT_TRUE(IsValidFrame(message->frame));
    EXPECT_EQ(message->length, 30);
}

// The checksum folds blocks of 32 bytes (four or two side by side, as the
// processor allows), then single blocks, then eight bytes at a time; every
// length and every byte position, across each of those steps and the tail
// after the last whole word, must still count once, in both folds.
TEST(FrameChecksum, IsTheXorOfEveryByteAtEveryLength) {
    std::vector<uint8_t> bytes;
    for (size_t length = 0; length <= 300; ++length) {
        uint8_t expected = 0;
        for (uint8_t byte : bytes) {
            expected ^= byte;
        }
        ASSERT_EQ(FrameChecksum(bytes), expected) << length << " bytes";
        ASSERT_EQ(FrameChecksumPlain(bytes), expected) << length << " bytes, plain fold";
        bytes.push_back(static_cast<uint8_t>(1u << (length % 8)) ^
                        static_cast<uint8_t>(length * 37));
    }
}

}  // namespace
