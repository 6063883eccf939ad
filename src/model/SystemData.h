// SPDX-License-Identifier: GPL-3.0-or-later
// The device's system settings: 17 bytes that travel as numbered items. Most
// items carry the byte of the same number; item 4 carries the panel lock,
// byte [16], alone; items 7, 8 and 9 carry the maximum, current and start
// volume of the effect, the microphone and the music. Replies come from the
// device: an item outside the 17 bytes, or a payload too short for its item,
// writes nothing.
//
// The constraint: USB replies store items on the link's worker thread while
// the window reads the bytes, and every received program is limited by them,
// so a reply's bytes must never be seen half stored. Writers take the
// object's own lock, one at a time, and mark the bytes as changing while they
// store; readers take no lock: they copy the bytes and copy again when a
// write overlapped the copy (a sequence lock). Reading is then as cheap as
// copying 17 bytes, on the reply path as anywhere else.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <span>
#include <vector>

#include "model/MaximumVolumes.h"

inline constexpr int kSystemDataSize = 17;
// Items 0..9 exist; item 5 is only ever written.
inline constexpr int kSystemItemCount = 10;

namespace SystemByte {
inline constexpr int kOperatingMode = 3;  // 0 sing, 1 automatic
inline constexpr int kSourceMode = 6;     // 0 DVD, 1 VOD, 2 BGM, 3 AUTO
inline constexpr int kPanelLock = 16;     // 0 unlocked, 1 first level, 2 second level
}  // namespace SystemByte

namespace SystemItem {
inline constexpr int kOperatingMode = 3;
inline constexpr int kPanelLock = 4;
inline constexpr int kSourceMode = 6;
inline constexpr int kEffectVolume = 7;
inline constexpr int kMicrophoneVolume = 8;
inline constexpr int kMusicVolume = 9;
}  // namespace SystemItem

enum class VolumeChannel { Effect, Microphone, Music };

inline constexpr uint8_t kStartMaximumVolume = 50;
inline constexpr uint8_t kHighestSourceMode = 3;

class SystemData {
  public:
    // The editor's start values: every maximum volume 50, everything else 0.
    SystemData();
    SystemData(const SystemData& other);
    SystemData& operator=(const SystemData& other);

    uint8_t Byte(int index) const;
    void SetByte(int index, uint8_t value);
    // A consistent copy of all the bytes.
    std::array<uint8_t, kSystemDataSize> Bytes() const;

    // The payload of a system write: 1 byte for item 4, otherwise 8 bytes
    // (the item's byte or three volume bytes, then zeros). Empty for an item
    // outside 0..9.
    std::vector<uint8_t> ItemPayload(int item) const;

    // Stores the payload of a system read reply; false when nothing was stored
    // (an item outside 0..9, or a payload too short for the item).
    bool StoreItemReply(int item, std::span<const uint8_t> payload);

    uint8_t MaximumVolume(VolumeChannel channel) const;
    // The three maximum volumes as they stood at one moment.
    MaximumVolumes AllMaximumVolumes() const;
    uint8_t CurrentVolume(VolumeChannel channel) const;
    uint8_t StartVolume(VolumeChannel channel) const;
    void SetMaximumVolume(VolumeChannel channel, uint8_t value);
    void SetCurrentVolume(VolumeChannel channel, uint8_t value);
    void SetStartVolume(VolumeChannel channel, uint8_t value);

    // The item that carries a channel's three volume bytes.
    static int VolumeItem(VolumeChannel channel);

    // The source mode button has four states; anything higher from the device shows as the last.
    void LimitSourceMode();

  private:
    static constexpr size_t kWordBytes = sizeof(uint64_t);
    static constexpr size_t kWordCount = (kSystemDataSize + kWordBytes - 1) / kWordBytes;
    using WordBytes = std::array<uint8_t, kWordBytes>;

    // Index of the channel's maximum volume; current and start follow it.
    static int VolumeBase(VolumeChannel channel);

    // All the words as they stood between two writes.
    std::array<uint64_t, kWordCount> Words() const;
    // Runs `change` as one write: readers see all of its stores or none.
    // `change` reads and writes through Load and Store only.
    template <class Change>
    auto Write(Change&& change);
    // Byte `index` of the bytes, taken from the word that holds it.
    static uint8_t ByteOf(uint64_t word, size_t index);
    uint8_t Load(size_t index) const;
    // Only inside Write: a store rewrites the whole word around its byte.
    void Store(size_t index, uint8_t value);

    std::mutex writeMutex_;
    // Odd while a write is in progress; every write adds two.
    std::atomic<uint32_t> version_{0};
    // The bytes, eight to a word in memory order (byte i is byte i % 8 of
    // word i / 8): a reader's copy is three loads.
    std::array<std::atomic<uint64_t>, kWordCount> words_{};
};
