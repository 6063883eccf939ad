// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/ReceivedProgram.h"

#include <algorithm>

#include "protocol/ReplyTargets.h"

namespace {
constexpr size_t kInputLevelByte = 8;
constexpr size_t kEffectLevelByte = 6;

void Limit(uint8_t& value, uint8_t maximum) {
    value = std::min(value, maximum);
}
}  // namespace

void LimitReceivedEffect(ProgramBlock& block, const ReplyTargets& system) {
    Limit(block[kEffectRecordOffset + kEffectLevelByte], system.GetMaximumVolumes().effect);
}

void LimitReceivedProgram(ProgramBlock& block, const ReplyTargets& system) {
    // One consistent read of the maximum volumes for the whole block.
    const MaximumVolumes maximum = system.GetMaximumVolumes();
    Limit(block[0 * kInputRecordSize + kInputLevelByte], maximum.music);
    Limit(block[1 * kInputRecordSize + kInputLevelByte], maximum.music);
    Limit(block[2 * kInputRecordSize + kInputLevelByte], maximum.microphone);
    Limit(block[kEffectRecordOffset + kEffectLevelByte], maximum.effect);
}

void ForceFixedFilterFields(ProgramBlock& block) {
    for (const size_t record :
         {size_t{0}, kInputRecordSize, 2 * kInputRecordSize, kEffectRecordOffset}) {
        block[record + 18] = 2;
        block[record + 22] = 2;
        block[record + 19] = 3;
        block[record + 23] = 3;
    }
}
