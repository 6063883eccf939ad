// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/ReceivedProgram.h"

#include <algorithm>

#include "protocol/ReplyTargets.h"

namespace {
constexpr size_t kInputLevelByte = 8;
constexpr size_t kEffectLevelByte = 6;
constexpr int kMaxEffectVolumeByte = 7;
constexpr int kMaxMicrophoneVolumeByte = 10;
constexpr int kMaxMusicVolumeByte = 13;

void Limit(uint8_t& value, uint8_t maximum) {
    value = std::min(value, maximum);
}
}  // namespace

void LimitReceivedEffect(ProgramBlock& block, const ReplyTargets& system) {
    Limit(block[kEffectRecordOffset + kEffectLevelByte],
          system.GetSystemByte(kMaxEffectVolumeByte));
}

void LimitReceivedProgram(ProgramBlock& block, const ReplyTargets& system) {
    const uint8_t music = system.GetSystemByte(kMaxMusicVolumeByte);
    Limit(block[0 * kInputRecordSize + kInputLevelByte], music);
    Limit(block[1 * kInputRecordSize + kInputLevelByte], music);
    Limit(block[2 * kInputRecordSize + kInputLevelByte],
          system.GetSystemByte(kMaxMicrophoneVolumeByte));
    LimitReceivedEffect(block, system);
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
