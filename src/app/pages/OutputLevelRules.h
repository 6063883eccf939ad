// SPDX-License-Identifier: GPL-3.0-or-later
// The rules of the output level controls that need no widget: their code
// ranges and scales, the delay unit's cycle, and the release text, which
// gives the limiter's release time as a multiple of its attack time.
//
// The constraint: the device receives only the release code; the time in the
// release text is worked out from the attack field's own text, so the two
// texts always agree on the attack time they show.
#pragma once

#include <cstdint>
#include <string>

#include "curves/ScaleConversion.h"

inline constexpr int32_t kMaxGainCode = 50;
inline constexpr double kGainStep = 1.0;
inline constexpr double kGainOffset = 40.0;
inline constexpr int32_t kMaxDelayCode = 566;
inline constexpr int32_t kMaxThresholdCode = 80;
inline constexpr double kThresholdStep = 0.5;
inline constexpr double kThresholdOffset = 30.0;
inline constexpr int32_t kMaxAttackCode = 106;
inline constexpr int32_t kMaxReleaseCode = 5;

// The delay box's unit, in the order the unit button steps through them.
enum class DelayUnit { Milliseconds, Metres, Feet };

DelayUnit NextDelayUnit(DelayUnit unit);
int32_t DelayScaleType(DelayUnit unit);

// The attack field's text for `attackCode`, as the limiter's attack box shows it.
std::string LimiterAttackText(int32_t attackCode);

// The release box's text, e.g. "4X(16ms)" for attack code 10 and release
// code 1; the bare code for a release code outside 0..5, and the multiple
// alone ("4X") for an attack code outside its range.
std::string LimiterReleaseText(int32_t attackCode, int32_t releaseCode);
