// SPDX-License-Identifier: GPL-3.0-or-later
#include "curves/BiquadSection.h"

#include <algorithm>
#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>

#include "curves/NaturalLog.h"
#include "curves/WideVectors.h"

namespace {
// Arrays padded to a multiple of the widest vector, so every loop below runs
// whole vectors with no remainder; the padding points are never read back.
constexpr int kPaddedPointCount = (kGridPointCount + 7) / 8 * 8;

struct UnitCircle {
    std::array<double, kPaddedPointCount> cosine{};
    std::array<double, kPaddedPointCount> sine{};
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

constexpr uint64_t kOneBits = 0x3FF0000000000000ULL;  // 1.0

// 10 log10(x) written as a multiple of ln(x).
constexpr double kDbPerNeperOfPower = 4.342944819032518;

// The dB of a power ratio as the library computes it, for what the fast
// logarithm does not take: zero, infinity and NaN from damaged parameters.
double PowerToDbSlowly(double power) {
    double db = kDbPerNeperOfPower * std::log(std::max(power, DBL_MIN));
    // Damaged parameters (a gain of 1e300 from a file) must not spread NaN into the sums.
    return std::isnan(db) ? 0.0 : db;
}
}  // namespace

namespace {
// Built twice (see WideVectors.h): in the file's own namespace, because a
// function built that way must carry the attribute wherever it is declared.
SONAVEL_WIDE_VECTOR_CLONES
void EvaluateOnGrid(std::span<const BiquadSection> sections, GridResponse& response) {
    const UnitCircle& circle = GridUnitCircle();
    // The sections' dB contributions add, so their power ratios multiply and
    // one logarithm per point serves the whole cascade (the natural one is the
    // cheaper call; the two differ by an ulp or so).
    alignas(64) std::array<double, kPaddedPointCount> power;
    power.fill(1.0);
    for (const BiquadSection& section : sections) {
        const double a0 = GuardedDenominator(section.a0);
        const double b0 = section.b0 / a0;
        const double b1 = section.b1 / a0;
        const double b2 = section.b2 / a0;
        const double a1 = section.a1 / a0;
        const double a2 = section.a2 / a0;
        for (int i = 0; i < kPaddedPointCount; ++i) {
            const double c = circle.cosine[i];
            const double s = circle.sine[i];
            const double numeratorReal = (b0 + b2) * c + b1;
            const double numeratorImaginary = (b0 - b2) * s;
            const double denominatorReal = (1.0 + a2) * c + a1;
            const double denominatorImaginary = (1.0 - a2) * s;
            const double numerator =
                numeratorReal * numeratorReal + numeratorImaginary * numeratorImaginary;
            const double denominator =
                denominatorReal * denominatorReal + denominatorImaginary * denominatorImaginary;
            power[i] *= numerator / std::max(denominator, DBL_MIN);
        }
    }
    std::fill(power.begin() + kGridPointCount, power.end(), 1.0);
    alignas(64) std::array<double, kPaddedPointCount> db;
    // Integer bit work only, no branch, so that this runs as vector code:
    // a power that is not a normal positive number (sign and exponent field
    // outside 1..0x7FE) is flagged, takes 1.0 here and is done again below.
    uint64_t outsideNormal = 0;
    for (int i = 0; i < kPaddedPointCount; ++i) {
        const uint64_t bits = std::bit_cast<uint64_t>(power[i]);
        const uint64_t signAndExponent = bits >> 52;
        const uint64_t outside = ((signAndExponent + 1) | (signAndExponent - 1)) & 0x800;
        outsideNormal |= outside;
        const uint64_t keep = (outside >> 11) - 1;
        const double normal = std::bit_cast<double>((bits & keep) | (kOneBits & ~keep));
        db[i] = kDbPerNeperOfPower * NaturalLogOfNormal(normal);
    }
    if (outsideNormal != 0) {
        for (int i = 0; i < kGridPointCount; ++i) {
            if (!(power[i] >= DBL_MIN && power[i] <= DBL_MAX)) {
                db[i] = PowerToDbSlowly(power[i]);
            }
        }
    }
    std::copy_n(db.begin(), kGridPointCount, response.begin());
}
}  // namespace

void EvaluateSections(std::span<const BiquadSection> sections, GridResponse& response) {
    EvaluateOnGrid(sections, response);
}
