// SPDX-License-Identifier: GPL-3.0-or-later
// Bandwidths are kept as an index 0..299 meaning (index + 1) / 100 octaves and
// shown to the user as a Q value from this table.
#pragma once

inline constexpr int kBandwidthIndexCount = 300;

// Q value shown for a bandwidth index, rounded to three decimals (index 0 is 144.3).
double BandwidthIndexToQ(int index);
