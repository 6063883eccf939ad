// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/SystemData.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>

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

// Every word loaded on its own line: a loop over atomic words is not
// unrolled, so its copy went through memory and the callers read it back.
template <size_t... w>
std::array<uint64_t, sizeof...(w)> LoadEach(
    const std::array<std::atomic<uint64_t>, sizeof...(w)>& words, std::index_sequence<w...>) {
    return {words[w].load(std::memory_order_relaxed)...};
}

size_t CheckedIndex(int index) {
    if (index < 0 || index >= kSystemDataSize) {
        throw std::out_of_range("system data byte " + std::to_string(index));
    }
    return static_cast<size_t>(index);
}
}  // namespace

template <class Change>
auto SystemData::Write(Change&& change) {
    const std::lock_guard lock(writeMutex_);
    const uint32_t version = version_.load(std::memory_order_relaxed);
    version_.store(version + 1, std::memory_order_relaxed);
    // A reader that sees any of the stores below also sees the odd version.
    std::atomic_thread_fence(std::memory_order_release);
    struct Finish {
        std::atomic<uint32_t>& version;
        uint32_t next;
        ~Finish() { version.store(next, std::memory_order_release); }
    } finish{version_, version + 2};
    return change();
}

uint8_t SystemData::ByteOf(uint64_t word, size_t index) {
    return std::bit_cast<WordBytes>(word)[index % kWordBytes];
}

uint8_t SystemData::Load(size_t index) const {
    return ByteOf(words_[index / kWordBytes].load(std::memory_order_relaxed), index);
}

void SystemData::Store(size_t index, uint8_t value) {
    std::atomic<uint64_t>& word = words_[index / kWordBytes];
    auto bytes = std::bit_cast<WordBytes>(word.load(std::memory_order_relaxed));
    bytes[index % kWordBytes] = value;
    word.store(std::bit_cast<uint64_t>(bytes), std::memory_order_relaxed);
}

SystemData::SystemData() {
    for (VolumeChannel channel :
         {VolumeChannel::Effect, VolumeChannel::Microphone, VolumeChannel::Music}) {
        SetMaximumVolume(channel, kStartMaximumVolume);
    }
}

SystemData::SystemData(const SystemData& other) {
    const std::array<uint8_t, kSystemDataSize> bytes = other.Bytes();
    for (size_t i = 0; i < bytes.size(); ++i) {
        Store(i, bytes[i]);
    }
}

SystemData& SystemData::operator=(const SystemData& other) {
    if (this != &other) {
        const std::array<uint8_t, kSystemDataSize> bytes = other.Bytes();
        Write([&] {
            for (size_t i = 0; i < bytes.size(); ++i) {
                Store(i, bytes[i]);
            }
        });
    }
    return *this;
}

uint8_t SystemData::Byte(int index) const {
    return Load(CheckedIndex(index));
}

void SystemData::SetByte(int index, uint8_t value) {
    // Checked before the write starts: a write that threw half-way would
    // leave readers waiting for its end.
    const size_t checked = CheckedIndex(index);
    Write([&] { Store(checked, value); });
}

// Inline, so the readers below keep the words in registers.
inline std::array<uint64_t, SystemData::kWordCount> SystemData::Words() const {
    for (;;) {
        const uint32_t before = version_.load(std::memory_order_acquire);
        if ((before & 1U) == 0) {
            const auto words = LoadEach(words_, std::make_index_sequence<kWordCount>());
            // The copy is complete before the version is looked at again.
            std::atomic_thread_fence(std::memory_order_acquire);
            if (version_.load(std::memory_order_relaxed) == before) {
                return words;
            }
        }
        // A write on another thread is under way; it stores a few bytes at most.
        std::this_thread::yield();
    }
}

std::array<uint8_t, kSystemDataSize> SystemData::Bytes() const {
    const std::array<uint64_t, kWordCount> words = Words();
    // Byte i is byte i % 8 of word i / 8 in memory, as Load reads it.
    std::array<uint8_t, kSystemDataSize> copy;
    std::memcpy(copy.data(), words.data(), copy.size());
    return copy;
}

std::vector<uint8_t> SystemData::ItemPayload(int item) const {
    if (item < 0 || item >= kSystemItemCount) {
        return {};
    }
    const std::array<uint8_t, kSystemDataSize> bytes = Bytes();
    if (item == SystemItem::kPanelLock) {
        return {bytes[SystemByte::kPanelLock]};
    }
    std::vector<uint8_t> payload(kItemPayloadSize, 0);
    const int first = FirstByteOfItem(item);
    const int count = IsVolumeItem(item) ? kVolumeBytesPerItem : 1;
    std::copy_n(bytes.begin() + first, count, payload.begin());
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
        Write([&] { Store(SystemByte::kPanelLock, payload[0]); });
        return true;
    }
    const size_t count = IsVolumeItem(item) ? kVolumeBytesPerItem : 1;
    if (payload.size() < count) {
        return false;
    }
    const auto first = static_cast<size_t>(FirstByteOfItem(item));
    Write([&] {
        for (size_t i = 0; i < count; ++i) {
            Store(first + i, payload[i]);
        }
    });
    return true;
}

uint8_t SystemData::MaximumVolume(VolumeChannel channel) const {
    return Load(static_cast<size_t>(VolumeBase(channel)));
}

uint8_t SystemData::CurrentVolume(VolumeChannel channel) const {
    return Load(static_cast<size_t>(VolumeBase(channel) + 1));
}

uint8_t SystemData::StartVolume(VolumeChannel channel) const {
    return Load(static_cast<size_t>(VolumeBase(channel) + 2));
}

MaximumVolumes SystemData::AllMaximumVolumes() const {
    const std::array<uint64_t, kWordCount> words = Words();
    const auto maximum = [&words](VolumeChannel channel) {
        const auto index = static_cast<size_t>(VolumeBase(channel));
        return ByteOf(words[index / kWordBytes], index);
    };
    return {maximum(VolumeChannel::Effect), maximum(VolumeChannel::Microphone),
            maximum(VolumeChannel::Music)};
}

void SystemData::SetMaximumVolume(VolumeChannel channel, uint8_t value) {
    Write([&] { Store(static_cast<size_t>(VolumeBase(channel)), value); });
}

void SystemData::SetCurrentVolume(VolumeChannel channel, uint8_t value) {
    Write([&] { Store(static_cast<size_t>(VolumeBase(channel) + 1), value); });
}

void SystemData::SetStartVolume(VolumeChannel channel, uint8_t value) {
    Write([&] { Store(static_cast<size_t>(VolumeBase(channel) + 2), value); });
}

int SystemData::VolumeItem(VolumeChannel channel) {
    return kFirstVolumeItem + static_cast<int>(channel);
}

void SystemData::LimitSourceMode() {
    Write([&] {
        Store(SystemByte::kSourceMode, std::min(Load(SystemByte::kSourceMode), kHighestSourceMode));
    });
}

int SystemData::VolumeBase(VolumeChannel channel) {
    return FirstByteOfItem(VolumeItem(channel));
}
