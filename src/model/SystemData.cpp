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

SystemData::SystemData(const SystemData& other) : bytes_(other.Bytes()) {}

SystemData& SystemData::operator=(const SystemData& other) {
    if (this != &other) {
        const std::array<uint8_t, kSystemDataSize> bytes = other.Bytes();
        const std::lock_guard lock(mutex_);
        bytes_ = bytes;
    }
    return *this;
}

uint8_t SystemData::Byte(int index) const {
    const std::lock_guard lock(mutex_);
    return bytes_.at(index);
}

void SystemData::SetByte(int index, uint8_t value) {
    const std::lock_guard lock(mutex_);
    bytes_.at(index) = value;
}

std::array<uint8_t, kSystemDataSize> SystemData::Bytes() const {
    const std::lock_guard lock(mutex_);
    return bytes_;
}

std::vector<uint8_t> SystemData::ItemPayload(int item) const {
    const std::lock_guard lock(mutex_);
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
    const std::lock_guard lock(mutex_);
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
    const std::lock_guard lock(mutex_);
    return bytes_[VolumeBase(channel)];
}

uint8_t SystemData::CurrentVolume(VolumeChannel channel) const {
    const std::lock_guard lock(mutex_);
    return bytes_[VolumeBase(channel) + 1];
}

uint8_t SystemData::StartVolume(VolumeChannel channel) const {
    const std::lock_guard lock(mutex_);
    return bytes_[VolumeBase(channel) + 2];
}

void SystemData::SetMaximumVolume(VolumeChannel channel, uint8_t value) {
    const std::lock_guard lock(mutex_);
    bytes_[VolumeBase(channel)] = value;
}

void SystemData::SetCurrentVolume(VolumeChannel channel, uint8_t value) {
    const std::lock_guard lock(mutex_);
    bytes_[VolumeBase(channel) + 1] = value;
}

void SystemData::SetStartVolume(VolumeChannel channel, uint8_t value) {
    const std::lock_guard lock(mutex_);
    bytes_[VolumeBase(channel) + 2] = value;
}

int SystemData::VolumeItem(VolumeChannel channel) {
    return kFirstVolumeItem + static_cast<int>(channel);
}

void SystemData::LimitSourceMode() {
    const std::lock_guard lock(mutex_);
    bytes_[SystemByte::kSourceMode] = std::min(bytes_[SystemByte::kSourceMode], kHighestSourceMode);
}

int SystemData::VolumeBase(VolumeChannel channel) {
    return FirstByteOfItem(VolumeItem(channel));
}
