// SPDX-License-Identifier: GPL-3.0-or-later
#include "curves/CrossoverDesign.h"

#include <cmath>

namespace {
// Second-order sections are listed by Q; 18 dB slopes start with a first-order
// section of coefficient `firstOrder` instead.
struct QPrototype {
    double firstOrder = 0.0;
    std::array<double, kMaxCrossoverSections> q{};
    int count = 0;
};

constexpr int kSlopeCount = 4;
constexpr int kSlope18 = 1;

// Indexed [family][slope]; the Bessel row serves the high-pass only.
constexpr QPrototype kQPrototypes[3][kSlopeCount] = {
    {{0.0, {0.5}, 1}, {1.0, {0.71}, 1}, {0.0, {0.71, 0.71}, 2}, {0.0, {0.54, 1.34, 0.54, 1.34}, 4}},
    {{0.0, {0.71}, 1},
     {0.756, {0.69}, 1},
     {0.0, {0.52, 0.81}, 2},
     {0.0, {0.51, 0.56, 0.71, 1.23}, 4}},
    {{0.0, {0.71}, 1}, {1.0, {1.0}, 1}, {0.0, {0.54, 1.31}, 2}, {0.0, {0.51, 0.6, 0.9, 2.56}, 4}},
};

// Bessel low-pass: analog prototype sections 1 / (C p^2 + B p + 1).
struct BesselSection {
    double b = 0.0;
    double c = 0.0;
};
struct BesselPrototype {
    std::array<BesselSection, kMaxCrossoverSections> sections{};
    int count = 0;
};
constexpr BesselPrototype kBesselLowPass[kSlopeCount] = {
    {{{{1.0, 0.3333333333}}}, 1},
    {{{{0.5693712514, 0.154812441}, {0.430628846, 0.0}}}, 2},
    {{{{0.369, 0.087858766}, {0.6278294896, 0.109408}}}, 2},
    {{{{0.117235677, 0.02064747},
       {0.226516664, 0.0259273886},
       {0.3067559, 0.0294683265},
       {0.3494916166, 0.031272257}}},
     4},
};

// The Bessel designs are normalised for delay; these move their corner to the chosen frequency.
constexpr double kBesselHighPassDivisor[kSlopeCount] = {1.2683112435, 1.2854981442, 1.5006420029,
                                                        1.679120141};
constexpr double kBesselLowPassDivisor[kSlopeCount] = {1.3616541287, 1.75567236868, 2.1139176749,
                                                       3.17961723751};

BiquadSection SecondOrderHighPass(double omega0, double damping) {
    if (damping == 0.0) {
        return {};
    }
    double t = damping * std::sin(omega0);
    double b0 = (1.0 + std::cos(omega0)) / 2.0;
    return {b0, -2.0 * b0, b0, GuardedDenominator(1.0 + t), -2.0 * std::cos(omega0), 1.0 - t};
}

BiquadSection SecondOrderLowPass(double omega0, double damping) {
    if (damping == 0.0) {
        return {};
    }
    double t = damping * std::sin(omega0);
    double b0 = (1.0 - std::cos(omega0)) / 2.0;
    return {b0, 2.0 * b0, b0, GuardedDenominator(1.0 + t), -2.0 * std::cos(omega0), 1.0 - t};
}

BiquadSection FirstOrderHighPass(double k, double e) {
    return {1.0, -1.0, 0.0, GuardedDenominator(e * k + 1.0), e * k - 1.0, 0.0};
}

BiquadSection FirstOrderLowPass(double k, double e) {
    return {k, k, 0.0, GuardedDenominator(k + e), k - e, 0.0};
}

BiquadSection BesselLowPassSection(double k, BesselSection prototype) {
    if (prototype.b == 0.0) {
        return {};
    }
    if (prototype.c == 0.0) {
        return FirstOrderLowPass(k, prototype.b);
    }
    double k2 = k * k;
    double bk = prototype.b * k;
    return {k2,
            2.0 * k2,
            k2,
            GuardedDenominator(bk + k2 + prototype.c),
            2.0 * k2 - 2.0 * prototype.c,
            k2 - bk + prototype.c};
}

bool IsFamily(int family) {
    return family == FilterFamily::kLinkwitzRiley || family == FilterFamily::kBessel ||
           family == FilterFamily::kButterworth;
}
}  // namespace

CrossoverSections DesignCrossover(int kind, int frequency, int family, int slope) {
    CrossoverSections design;
    // Family and slope arrive from files and the device as raw numbers; an unknown one draws flat.
    if (!IsFamily(family) || slope < 0 || slope >= kSlopeCount) {
        return design;
    }
    bool highPass = kind == ElementType::kHighPass;
    double centre = highPass ? NearestGridFrequency(frequency) : static_cast<double>(frequency);
    if (family == FilterFamily::kBessel) {
        centre /= highPass ? kBesselHighPassDivisor[slope] : kBesselLowPassDivisor[slope];
    }
    double omega0 = centre * kDesignFrequencyFactor;
    double k = std::tan(omega0 / 2.0);

    if (!highPass && family == FilterFamily::kBessel) {
        const BesselPrototype& prototype = kBesselLowPass[slope];
        for (int i = 0; i < prototype.count; ++i) {
            design.sections[design.count++] = BesselLowPassSection(k, prototype.sections[i]);
        }
        return design;
    }

    const QPrototype& prototype = kQPrototypes[family][slope];
    if (slope == kSlope18) {
        design.sections[design.count++] = highPass ? FirstOrderHighPass(k, prototype.firstOrder)
                                                   : FirstOrderLowPass(k, prototype.firstOrder);
    }
    for (int i = 0; i < prototype.count; ++i) {
        double damping = 1.0 / (2.0 * prototype.q[i]);
        design.sections[design.count++] =
            highPass ? SecondOrderHighPass(omega0, damping) : SecondOrderLowPass(omega0, damping);
    }
    return design;
}
