// SPDX-License-Identifier: GPL-3.0-or-later
#include <array>
#include <atomic>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "model/SystemData.h"

namespace {

using Payload = std::vector<uint8_t>;

SystemData NumberedBytes() {
    SystemData data;
    for (int index = 0; index < kSystemDataSize; ++index) {
        data.SetByte(index, static_cast<uint8_t>(0x10 + index));
    }
    return data;
}

TEST(SystemData, StartsWithFullMaximumVolumesAndEverythingElseZero) {
    const SystemData data;
    std::array<uint8_t, kSystemDataSize> expected{};
    expected[7] = expected[10] = expected[13] = 50;
    EXPECT_EQ(data.Bytes(), expected);
}

TEST(SystemData, ItemPayloadsFollowTheItemTable) {
    const SystemData data = NumberedBytes();
    EXPECT_EQ(data.ItemPayload(0), (Payload{0x10, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(data.ItemPayload(3), (Payload{0x13, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(data.ItemPayload(5), (Payload{0x15, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(data.ItemPayload(4), (Payload{0x20}));  // the panel lock alone
    EXPECT_EQ(data.ItemPayload(7), (Payload{0x17, 0x18, 0x19, 0, 0, 0, 0, 0}));
    EXPECT_EQ(data.ItemPayload(8), (Payload{0x1A, 0x1B, 0x1C, 0, 0, 0, 0, 0}));
    EXPECT_EQ(data.ItemPayload(9), (Payload{0x1D, 0x1E, 0x1F, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(data.ItemPayload(10).empty());
    EXPECT_TRUE(data.ItemPayload(-1).empty());
}

TEST(SystemData, RepliesLandInTheItemsBytes) {
    SystemData data;
    EXPECT_TRUE(data.StoreItemReply(9, Payload{0x28, 0x05, 0x00, 1, 2, 3, 4, 5}));
    EXPECT_EQ(data.Byte(13), 0x28);
    EXPECT_EQ(data.Byte(14), 0x05);
    EXPECT_EQ(data.Byte(15), 0x00);
    EXPECT_EQ(data.Byte(16), 0);

    EXPECT_TRUE(data.StoreItemReply(4, Payload{2, 9, 9, 9, 9, 9, 9, 9}));
    EXPECT_EQ(data.Byte(SystemByte::kPanelLock), 2);
    EXPECT_EQ(data.Byte(4), 0);

    EXPECT_TRUE(data.StoreItemReply(6, Payload{3, 7, 7, 7, 7, 7, 7, 7}));
    EXPECT_EQ(data.Byte(SystemByte::kSourceMode), 3);
    EXPECT_EQ(data.Byte(7), 50);
}

TEST(SystemData, IgnoresRepliesThatDoNotFitTheTable) {
    SystemData data;
    const auto before = data.Bytes();
    EXPECT_FALSE(data.StoreItemReply(17, Payload{1, 1, 1, 1, 1, 1, 1, 1}));
    EXPECT_FALSE(data.StoreItemReply(255, Payload{1, 1, 1, 1, 1, 1, 1, 1}));
    EXPECT_FALSE(data.StoreItemReply(7, Payload{1, 1}));
    EXPECT_FALSE(data.StoreItemReply(0, Payload{}));
    EXPECT_EQ(data.Bytes(), before);
}

TEST(SystemData, ItemsPastTheTableStoreTheirOwnByte) {
    SystemData data;
    EXPECT_TRUE(data.StoreItemReply(12, Payload{0x33, 1, 1, 1, 1, 1, 1, 1}));
    EXPECT_EQ(data.Byte(12), 0x33);
    EXPECT_TRUE(data.StoreItemReply(16, Payload{0x01, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(data.Byte(16), 0x01);
}

TEST(SystemData, VolumesAreNamedByChannel) {
    SystemData data = NumberedBytes();
    EXPECT_EQ(data.MaximumVolume(VolumeChannel::Effect), 0x17);
    EXPECT_EQ(data.CurrentVolume(VolumeChannel::Microphone), 0x1B);
    EXPECT_EQ(data.StartVolume(VolumeChannel::Music), 0x1F);
    EXPECT_EQ(data.AllMaximumVolumes(), (MaximumVolumes{0x17, 0x1A, 0x1D}));
    data.SetCurrentVolume(VolumeChannel::Music, 7);
    EXPECT_EQ(data.Byte(14), 7);
    EXPECT_EQ(SystemData::VolumeItem(VolumeChannel::Microphone), SystemItem::kMicrophoneVolume);
    EXPECT_EQ(data.ItemPayload(SystemData::VolumeItem(VolumeChannel::Music))[1], 7);
}

// Readers take no lock; a copy made while another thread stores volume items
// must still hold each item's three bytes from one and the same reply. The
// effect's bytes 7..9 straddle two of the words the bytes are kept in.
TEST(SystemData, ACopyNeverHoldsHalfAStoredItem) {
    SystemData data;
    data.StoreItemReply(SystemItem::kEffectVolume, Payload{0, 0, 0});
    std::atomic<int> rounds{0};
    std::atomic<bool> stop{false};
    std::thread writer([&] {
        for (int round = 1; !stop; ++round) {
            const auto value = static_cast<uint8_t>(round);
            data.StoreItemReply(SystemItem::kEffectVolume, Payload{value, value, value});
            data.SetByte(SystemByte::kPanelLock, value);
            rounds = round;
        }
    });
    int torn = 0;
    int copies = 0;
    for (; copies < 50000 || rounds < 1000; ++copies) {
        const std::array<uint8_t, kSystemDataSize> bytes = data.Bytes();
        torn += bytes[7] != bytes[8] || bytes[8] != bytes[9] ? 1 : 0;
        const std::vector<uint8_t> payload = data.ItemPayload(SystemItem::kEffectVolume);
        torn += payload[0] != payload[1] || payload[1] != payload[2] ? 1 : 0;
    }
    stop = true;
    writer.join();
    EXPECT_EQ(torn, 0) << "of " << copies << " copies, " << rounds << " writes";
}

TEST(SystemData, SourceModeIsLimitedToTheButtonsFourStates) {
    SystemData data;
    data.SetByte(SystemByte::kSourceMode, 9);
    data.LimitSourceMode();
    EXPECT_EQ(data.Byte(SystemByte::kSourceMode), 3);
}

}  // namespace
