// SPDX-License-Identifier: GPL-3.0-or-later
// What the input EQ page does to the program, apart from its widgets: which
// channels an edit reaches, the music channels kept alike after a drag,
// "All Bypass", and the crossover frequencies that may not cross.
//
// The constraint: every function here changes elements the sender reads, so
// callers run them inside the services' `EditProgram`.
#pragma once

#include <vector>

#include "app/pages/EqBandTableEdits.h"
#include "model/ChannelIndex.h"

class CAudio_Data;
class CAudio_InData;

// Bands the table and the graph reach: bands 1..13, each with a row of its
// own, in blocks of 7 rows side by side. Bands 14..16 keep their values.
inline constexpr int kInputEqRows = 13;
inline constexpr int kInputEqRowsPerBlock = 7;
inline constexpr int kInputEqLastReachableBand = kInputEqRows - 1;

// The shown channel first, then the channels that repeat its edits: the
// music page edits both music channels alike.
std::vector<int> InputsEditedWith(int channel);

void ApplyInputBandChange(CAudio_Data& program, int channel, int band, const BandChange& change);

// After a drag of `band` on the music page the other music channel takes
// the band over whole, so the two channels stay alike.
void FollowDraggedInputBand(CAudio_Data& program, int channel, int band);

// Switches "All Bypass" of the channel (and of the other music channel)
// to the opposite of its current state; false when the channel did not
// follow (its bands stay bypassed by their own 0 dB gains).
bool ToggleInputAllBypass(CAudio_Data& program, int channel);

// A high-pass above the low-pass, or a low-pass below the high-pass, is
// refused (false) and nothing changes.
bool SetInputHighPassFrequency(CAudio_InData& input, int hertz);
bool SetInputLowPassFrequency(CAudio_InData& input, int hertz);
