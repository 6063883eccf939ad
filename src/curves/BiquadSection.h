// SPDX-License-Identifier: GPL-3.0-or-later
// One biquad section and its magnitude on the display grid. Every element
// response is a cascade of these, evaluated at the grid frequencies on the
// unit circle of the device's 96 kHz rate. Runs on every drag step, so the
// evaluation writes into a caller-owned array and never allocates.
#pragma once

#include <array>
#include <span>

#include "curves/FrequencyGrid.h"

using GridResponse = std::array<double, kGridPointCount>;

// The device's constants, rounding included, so the curves match its own display.
inline constexpr double kSampleRate = 96000.0;
inline constexpr double kEvaluationTwoPi = 6.2831852;
inline constexpr double kDesignFrequencyFactor = 0.00006544985;  // 2 pi / 96000
inline constexpr double kZeroDenominatorGuard = 1e-10;

// b0 + b1 z^-1 + b2 z^-2 over a0 + a1 z^-1 + a2 z^-2; the default is the identity.
struct BiquadSection {
    double b0 = 1.0;
    double b1 = 0.0;
    double b2 = 0.0;
    double a0 = 1.0;
    double a1 = 0.0;
    double a2 = 0.0;
};

inline double GuardedDenominator(double a0) {
    return a0 == 0.0 ? kZeroDenominatorGuard : a0;
}

// Writes the summed dB contribution of `sections` at every grid frequency into `response`.
void EvaluateSections(std::span<const BiquadSection> sections, GridResponse& response);
