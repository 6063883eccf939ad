// SPDX-License-Identifier: GPL-3.0-or-later
// Where the dispatcher stores what replies carry: program names into the
// preset store, system items into the system data bytes; and where it reads
// the maximum volumes that limit a received program.
//
// The constraint: the dispatcher has already checked slot (0..20) and item
// (mapping inside bytes 0..16) before calling, so implementations may index
// their arrays directly. Calls come from the USB worker thread too.
#pragma once

#include <cstdint>
#include <span>

#include "model/MaximumVolumes.h"

inline constexpr int kProgramNameLength = 16;
inline constexpr int kLastPresetSlot = 20;
inline constexpr int kLastSystemByte = 16;

// The maximum volumes that hold a received program's levels down, and the
// system bytes they are kept in.
inline constexpr int kMaxEffectVolumeByte = 7;
inline constexpr int kMaxMicrophoneVolumeByte = 10;
inline constexpr int kMaxMusicVolumeByte = 13;

class ReplyTargets {
  public:
    virtual ~ReplyTargets() = default;
    virtual void StoreProgramName(int slot, std::span<const uint8_t, kProgramNameLength> name) = 0;
    // `payload` holds at least three bytes (zero-filled when the reply was shorter).
    virtual void StoreSystemItem(int item, std::span<const uint8_t> payload) = 0;
    virtual uint8_t GetSystemByte(int index) const = 0;
    // The three as they stood at one moment; a store shared between threads
    // reads them together here instead of byte by byte.
    virtual MaximumVolumes GetMaximumVolumes() const {
        return {GetSystemByte(kMaxEffectVolumeByte), GetSystemByte(kMaxMicrophoneVolumeByte),
                GetSystemByte(kMaxMusicVolumeByte)};
    }
};
