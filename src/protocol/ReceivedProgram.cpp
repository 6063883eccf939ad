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

void LimitEffect(ProgramBlock& block, const std::array<uint8_t, kLastSystemByte + 1>& system) {
    Limit(block[kEffectRecordOffset + kEffectLevelByte], system[kMaxEffectVolumeByte]);
}
}  // namespace

void LimitReceivedEffect(ProgramBlock& block, const ReplyTargets& system) {
    LimitEffect(block, system.GetSystemBytes());
}

void LimitReceivedProgram(ProgramBlock& block, const ReplyTargets& system) {
    // One consistent read of the maximum volumes for the whole block.
    const std::array<uint8_t, kLastSystemByte + 1> bytes = system.GetSystemBytes();
    const uint8_t music = bytes[kMaxMusicVolumeByte];
    Limit(block[0 * kInputRecordSize + kInputLevelByte], music);
    Limit(block[1 * kInputRecordSize + kInputLevelByte], music);
    Limit(block[2 * kInputRecordSize + kInputLevelByte], bytes[kMaxMicrophoneVolumeByte]);
    LimitEffect(block, bytes);
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
