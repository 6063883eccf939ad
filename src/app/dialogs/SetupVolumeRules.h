// SPDX-License-Identifier: GPL-3.0-or-later
// The rules of the setup dialog's six volumes: per channel (effect,
// microphone, music) the start volume never exceeds the maximum, whichever
// of the two is moved, and applying new maximums lowers any current volume
// above them.
//
// The constraint: a moved value is corrected toward the other one, never the
// other one toward it, so the control the user did not touch keeps its value.
#pragma once

#include <array>
#include <cstdint>

#include "model/SystemData.h"

inline constexpr int kHighestSetupVolume = 50;
inline constexpr std::array<VolumeChannel, 3> kVolumeChannels{
    VolumeChannel::Effect, VolumeChannel::Microphone, VolumeChannel::Music};

// The maximum a channel keeps when it is moved to `wanted`.
int MaximumAfterChange(int wanted, int start);
// The start volume a channel keeps when it is moved to `wanted`.
int StartAfterChange(int wanted, int maximum);

// Every current volume above its channel's maximum becomes the maximum.
void LowerCurrentVolumesToMaximum(SystemData& system);
