// SPDX-License-Identifier: GPL-3.0-or-later
// The simulated device's own idea of a program: the 1032-byte image cut into
// input, effect and output records, plus the factory contents it starts with.
//
// The constraint: these layouts are written from the device's side on purpose
// and do not reuse the editor's model, so that a fault in the model's record
// layout shows up as a disagreement in end-to-end tests instead of cancelling out.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace devsim {

inline constexpr size_t kImageSize = 1032;
inline constexpr size_t kNameSize = 16;
inline constexpr size_t kInputRecordSize = 152;
inline constexpr size_t kEffectRecordOffset = 456;
inline constexpr size_t kEffectRecordSize = 48;
inline constexpr size_t kOutputRecordOffset = 504;
inline constexpr size_t kOutputRecordSize = 88;
inline constexpr size_t kRowSize = 8;
inline constexpr int kPresetCount = 20;
inline constexpr size_t kSystemByteCount = 17;
// Effect groups the device keeps ready; the editor asks for them by these numbers.
inline constexpr std::array<int, 4> kEffectGroups = {22, 24, 26, 28};

using ProgramImage = std::array<uint8_t, kImageSize>;
using ProgramName = std::array<uint8_t, kNameSize>;
using EffectRecord = std::array<uint8_t, kEffectRecordSize>;

// Where a row write of block 1..4 (channel, row) lands in the image, or nothing
// when the device does not have such a row.
std::optional<size_t> RowOffset(int block, int channel, int row);

// A plausible program: named channels, levels, crossovers at their limits and
// a few active bands. `variant` makes presets tell apart (0 is the current program).
ProgramImage MakeFactoryImage(int variant);

// The effect record of a ready-made effect group; every group differs.
EffectRecord MakeEffectGroupRecord(int group);

// A zero-padded 16-byte name.
ProgramName MakeName(const char* text);

}  // namespace devsim
