// SPDX-License-Identifier: GPL-3.0-or-later
// Magnitude responses of equaliser elements on the display grid: peaking
// bands, shelves and the high-pass / low-pass cascades of every family and
// slope, as digital biquads designed at the device's 96 kHz with the bilinear
// transform. These are pictures of what the device does, so the constants are
// the device's own, rounding included. They run on every step of a drag: no
// heap allocation anywhere here, and results go into caller-owned arrays.
#pragma once

#include <array>
#include <span>

#include "curves/FrequencyGrid.h"

using GridResponse = std::array<double, kGridPointCount>;

// Element kinds as the model numbers them.
namespace ResponseKind {
inline constexpr int kPeaking = 0;
inline constexpr int kLowShelf = 1;
inline constexpr int kHighShelf = 2;
inline constexpr int kHighPass = 3;
inline constexpr int kLowPass = 4;
}  // namespace ResponseKind

// Crossover families as the model numbers them.
namespace ResponseFamily {
inline constexpr int kLinkwitzRiley = 0;
inline constexpr int kBessel = 1;
inline constexpr int kButterworth = 2;
}  // namespace ResponseFamily

inline constexpr double kDesignFrequencyFactor =
    0.00006544985;  // 2 pi / 96000, as the device rounds it
inline constexpr double kEvaluationTwoPi = 6.2831852;
inline constexpr double kSampleRate = 96000.0;
inline constexpr double kLn2 = 0.69314718;
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

inline constexpr int kMaxCrossoverSections = 4;

struct CrossoverSections {
    std::array<BiquadSection, kMaxCrossoverSections> sections{};
    int count = 0;
    std::span<const BiquadSection> View() const { return {sections.data(), size_t(count)}; }
};

// Everything the response of one element depends on.
struct ElementResponseInput {
    int kind = ResponseKind::kPeaking;
    int frequency = 1000;    // Hz
    double gain = 0.0;       // dB
    double bandwidth = 0.3;  // octaves
    int family = ResponseFamily::kLinkwitzRiley;
    int slope = 0;
    bool bypassed = true;  // the element's own bypass or "All Bypass"
};

// Fills `response` (dB at every grid frequency) for one element.
void ComputeElementResponse(const ElementResponseInput& input, GridResponse& response);

// The designs behind it, exposed for the benchmarks and the tests.
BiquadSection DesignPeaking(double centreHertz, double gainDb, double bandwidthOctaves);
BiquadSection DesignShelf(int kind, double centreHertz, double gainDb, int slope);
CrossoverSections DesignCrossover(int kind, int frequency, int family, int slope);

// Writes the summed contribution of `sections` at every grid frequency into `response`.
void EvaluateSections(std::span<const BiquadSection> sections, GridResponse& response);
