// SPDX-License-Identifier: GPL-3.0-or-later
#include "curves/BiquadSection.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace {
struct UnitCircle {
    std::array<double, kGridPointCount> cosine{};
    std::array<double, kGridPointCount> sine{};
};

// The grid never changes, so its angles are computed once instead of on every drag step.
const UnitCircle& GridUnitCircle() {
    static const UnitCircle circle = [] {
        UnitCircle built;
        for (int i = 0; i < kGridPointCount; ++i) {
            double omega = GridFrequencies()[i] * kEvaluationTwoPi / kSampleRate;
            built.cosine[i] = std::cos(omega);
            built.sine[i] = std::sin(omega);
        }
        return built;
    }();
    return circle;
}

// 10 log10(x) written as a multiple of ln(x).
constexpr double kDbPerNeperOfPower = 4.342944819032518;
}  // namespace

void EvaluateSections(std::span<const BiquadSection> sections, GridResponse& response) {
    const UnitCircle& circle = GridUnitCircle();
    // The sections' dB contributions add, so their power ratios multiply and
    // one logarithm per point serves the whole cascade (the natural one is the
    // cheaper call; the two differ by an ulp or so).
    std::array<double, kGridPointCount> power;
    power.fill(1.0);
    for (const BiquadSection& section : sections) {
        double a0 = GuardedDenominator(section.a0);
        double b0 = section.b0 / a0;
        double b1 = section.b1 / a0;
        double b2 = section.b2 / a0;
        double a1 = section.a1 / a0;
        double a2 = section.a2 / a0;
        for (int i = 0; i < kGridPointCount; ++i) {
            double c = circle.cosine[i];
            double s = circle.sine[i];
            double numeratorReal = (b0 + b2) * c + b1;
            double numeratorImaginary = (b0 - b2) * s;
            double denominatorReal = (1.0 + a2) * c + a1;
            double denominatorImaginary = (1.0 - a2) * s;
            double numerator =
                numeratorReal * numeratorReal + numeratorImaginary * numeratorImaginary;
            double denominator =
                denominatorReal * denominatorReal + denominatorImaginary * denominatorImaginary;
            power[i] *= numerator / std::max(denominator, DBL_MIN);
        }
    }
    for (int i = 0; i < kGridPointCount; ++i) {
        double db = kDbPerNeperOfPower * std::log(std::max(power[i], DBL_MIN));
        // Damaged parameters (a gain of 1e300 from a file) must not spread NaN into the sums.
        response[i] = std::isnan(db) ? 0.0 : db;
    }
}
