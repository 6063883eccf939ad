// SPDX-License-Identifier: GPL-3.0-or-later
// The received program block (a 1032-byte device image and a 16-byte name)
// and the adjustments made to it before the view loads it: levels held below
// the system's maximum volumes, and the crossover fields that are not editable
// on inputs and on the effect forced to their fixed values.
//
// The constraint: these change the received copy only, never the program.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

class ReplyTargets;

inline constexpr size_t kReceivedBlockSize = 1048;
inline constexpr size_t kInputRecordSize = 152;
inline constexpr size_t kEffectRecordOffset = 456;
inline constexpr size_t kEffectRecordSize = 48;

using ProgramBlock = std::array<uint8_t, kReceivedBlockSize>;

// Music input levels to system byte [13], the microphone level to [10] and the
// effect level to [7].
void LimitReceivedProgram(ProgramBlock& block, const ReplyTargets& system);
// The effect level alone, for a received effect record.
void LimitReceivedEffect(ProgramBlock& block, const ReplyTargets& system);

// Crossover family and slope of the three inputs and the effect: bytes 18 and
// 22 become 2 (Butterworth), bytes 19 and 23 become 3. The view calls this
// before loading a received block.
void ForceFixedFilterFields(ProgramBlock& block);
