// SPDX-License-Identifier: GPL-3.0-or-later
// Fractional-octave smoothing: each point becomes the mean level (dB) over a
// window 1/N octave wide centred on it, computed on a log-frequency grid.
#pragma once

#include <span>
#include <vector>

// N of "1/N octave"; 0 leaves the curve as it is.
inline constexpr int kNoSmoothing = 0;

std::vector<double> SmoothFractionalOctave(std::span<const double> hertz,
                                           std::span<const double> db, int fraction);
