// SPDX-License-Identifier: GPL-3.0-or-later
// Where the dispatcher stores what replies carry: program names into the
// preset store, system items into the system data bytes; and where it reads
// the maximum volumes that limit a received program.
//
// The constraint: the dispatcher has already checked slot (0..20) and item
// (mapping inside bytes 0..16) before calling, so implementations may index
// their arrays directly. Calls come from the USB worker thread too.
#pragma once

#include <array>
#include <cstdint>
#include <span>

inline constexpr int kProgramNameLength = 16;
inline constexpr int kLastPresetSlot = 20;
inline constexpr int kLastSystemByte = 16;

class ReplyTargets {
  public:
    virtual ~ReplyTargets() = default;
    virtual void StoreProgramName(int slot, std::span<const uint8_t, kProgramNameLength> name) = 0;
    // `payload` holds at least three bytes (zero-filled when the reply was shorter).
    virtual void StoreSystemItem(int item, std::span<const uint8_t> payload) = 0;
    virtual uint8_t GetSystemByte(int index) const = 0;
    // Every system byte at once; a store that guards its bytes with a lock
    // takes it once here instead of once a byte.
    virtual std::array<uint8_t, kLastSystemByte + 1> GetSystemBytes() const {
        std::array<uint8_t, kLastSystemByte + 1> bytes{};
        for (int i = 0; i <= kLastSystemByte; ++i) {
            bytes[static_cast<size_t>(i)] = GetSystemByte(i);
        }
        return bytes;
    }
};
