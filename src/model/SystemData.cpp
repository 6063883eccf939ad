// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/SystemData.h"

#include <algorithm>

namespace {
constexpr size_t kItemPayloadSize = 8;
constexpr int kFirstVolumeItem = SystemItem::kEffectVolume;
constexpr int kVolumeBytesPerItem = 3;

bool IsVolumeItem(int item) {
    return item >= kFirstVolumeItem && item < kSystemItemCount;
}

// First system byte of an item other than the panel lock.
int FirstByteOfItem(int item) {
    if (IsVolumeItem(item)) {
        return kFirstVolumeItem + (item - kFirstVolumeItem) * kVolumeBytesPerItem;
    }
    return item;
}
}  // namespace

SystemData::SystemData() {
    for (VolumeChannel channel :
         {VolumeChannel::Effect, VolumeChannel::Microphone, VolumeChannel::Music}) {
        SetMaximumVolume(channel, kStartMaximumVolume);
    }
}

std::vector<uint8_t> SystemData::ItemPayload(int item) const {
    if (item < 0 || item >= kSystemItemCount) {
        return {};
    }
    if (item == SystemItem::kPanelLock) {
        return {bytes_[SystemByte::kPanelLock]};
    }
    std::vector<uint8_t> payload(kItemPayloadSize, 0);
    const int first = FirstByteOfItem(item);
    const int count = IsVolumeItem(item) ? kVolumeBytesPerItem : 1;
    std::copy_n(bytes_.begin() + first, count, payload.begin());
    return payload;
}

bool SystemData::StoreItemReply(int item, std::span<const uint8_t> payload) {
    // Items past the table still name one byte of the array, as the device
    // treats them; only an item outside the array is refused.
    if (item < 0 || item >= kSystemDataSize) {
        return false;
    }
    if (item == SystemItem::kPanelLock) {
        if (payload.empty()) {
            return false;
        }
        bytes_[SystemByte::kPanelLock] = payload[0];
        return true;
    }
    const size_t count = IsVolumeItem(item) ? kVolumeBytesPerItem : 1;
    if (payload.size() < count) {
        return false;
    }
    std::copy_n(payload.begin(), count, bytes_.begin() + FirstByteOfItem(item));
    return true;
}

uint8_t SystemData::MaximumVolume(VolumeChannel channel) const {
    return bytes_[VolumeBase(channel)];
}

uint8_t SystemData::CurrentVolume(VolumeChannel channel) const {
    return bytes_[VolumeBase(channel) + 1];
}

uint8_t SystemData::StartVolume(VolumeChannel channel) const {
    return bytes_[VolumeBase(channel) + 2];
}

void SystemData::SetMaximumVolume(VolumeChannel channel, uint8_t value) {
    bytes_[VolumeBase(channel)] = value;
}

void SystemData::SetCurrentVolume(VolumeChannel channel, uint8_t value) {
    bytes_[VolumeBase(channel) + 1] = value;
}

void SystemData::SetStartVolume(VolumeChannel channel, uint8_t value) {
    bytes_[VolumeBase(channel) + 2] = value;
}

int SystemData::VolumeItem(VolumeChannel channel) {
    return kFirstVolumeItem + static_cast<int>(channel);
}

void SystemData::LimitSourceMode() {
    bytes_[SystemByte::kSourceMode] = std::min(bytes_[SystemByte::kSourceMode], kHighestSourceMode);
}

int SystemData::VolumeBase(VolumeChannel channel) {
    return FirstByteOfItem(VolumeItem(channel));
}
