// SPDX-License-Identifier: GPL-3.0-or-later
// The names of the device's programs: slot 0 is its current program, slots 1
// to 20 its preset memory. Each name is the device's 16-byte field, text then
// zero bytes. Names are kept as bytes, exactly as they travel, so a name
// written by other software comes back unchanged when the editor sends it.
// The bytes are GBK (model/GbkText converts them for the interface), so a
// name is cut only between whole GBK characters. Slots outside 0..20 can
// arrive in replies and are ignored, never written.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

inline constexpr int kPresetSlotCount = 21;
inline constexpr size_t kProgramNameSize = 16;
// A name is read from, and written into, at most this many bytes, so that a
// written name always ends in a zero byte.
inline constexpr size_t kProgramNameTextLimit = 15;

using ProgramName = std::array<uint8_t, kProgramNameSize>;

// `text` without the spaces on both sides.
std::string_view TrimSpaces(std::string_view text);

class PresetStore {
  public:
    static bool IsValidSlot(int slot) { return slot >= 0 && slot < kPresetSlotCount; }

    // The payload of a name reply; missing bytes of a short payload read as zeros.
    void StoreNameReply(int slot, std::span<const uint8_t> payload);

    // Writes the GBK bytes `gbk`, cut to whole characters within the 15-byte limit, then zeros.
    void SetName(int slot, std::string_view gbk);

    // The GBK bytes of the first 15 up to the first zero (a character cut in
    // half by the limit is left out), without surrounding spaces.
    std::string Name(int slot) const;

    // The 16 bytes a name write sends; zeros for an invalid slot.
    ProgramName NameBytes(int slot) const;

  private:
    std::array<ProgramName, kPresetSlotCount> names_{};
};
