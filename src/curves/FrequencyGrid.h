// SPDX-License-Identifier: GPL-3.0-or-later
// The fixed display grid: 241 frequencies about 1/24 octave apart, 19.7 Hz to 20 kHz.
#pragma once

#include <array>

inline constexpr int kGridPointCount = 241;

// Frequency in hertz at each grid index (index 136 is 1000 Hz).
const std::array<double, kGridPointCount>& GridFrequencies();

// Index of the grid frequency nearest to `hertz`; a tie takes the higher index.
int NearestGridIndex(double hertz);

// The grid frequency itself at that index: bands are designed on the grid.
double NearestGridFrequency(double hertz);
