// SPDX-License-Identifier: GPL-3.0-or-later
#include "curves/Response.h"

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

double GridFrequencyNear(double hertz) {
    return GridFrequencies()[NearestGridIndex(hertz)];
}

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

// 10 log10(x) written as a multiple of ln(x).
constexpr double kDbPerNeperOfPower = 4.342944819032518;

double GuardDenominator(double a0) {
    return a0 == 0.0 ? kZeroDenominatorGuard : a0;
}

BiquadSection SecondOrderHighPass(double omega0, double damping) {
    if (damping == 0.0) {
        return {};
    }
    double t = damping * std::sin(omega0);
    double b0 = (1.0 + std::cos(omega0)) / 2.0;
    return {b0, -2.0 * b0, b0, GuardDenominator(1.0 + t), -2.0 * std::cos(omega0), 1.0 - t};
}

BiquadSection SecondOrderLowPass(double omega0, double damping) {
    if (damping == 0.0) {
        return {};
    }
    double t = damping * std::sin(omega0);
    double b0 = (1.0 - std::cos(omega0)) / 2.0;
    return {b0, 2.0 * b0, b0, GuardDenominator(1.0 + t), -2.0 * std::cos(omega0), 1.0 - t};
}

BiquadSection FirstOrderHighPass(double k, double e) {
    return {1.0, -1.0, 0.0, GuardDenominator(e * k + 1.0), e * k - 1.0, 0.0};
}

BiquadSection FirstOrderLowPass(double k, double e) {
    return {k, k, 0.0, GuardDenominator(k + e), k - e, 0.0};
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
            GuardDenominator(bk + k2 + prototype.c),
            2.0 * k2 - 2.0 * prototype.c,
            k2 - bk + prototype.c};
}

bool IsFamily(int family) {
    return family == ResponseFamily::kLinkwitzRiley || family == ResponseFamily::kBessel ||
           family == ResponseFamily::kButterworth;
}
}  // namespace

BiquadSection DesignPeaking(double centreHertz, double gainDb, double bandwidthOctaves) {
    double a = std::pow(10.0, gainDb / 40.0);
    double omega0 = centreHertz * kDesignFrequencyFactor;
    double sine = std::sin(omega0);
    double alpha = sine * std::sinh(kLn2 * bandwidthOctaves * omega0 / sine);
    double cosine = std::cos(omega0);
    return {1.0 + alpha * a, -2.0 * cosine, 1.0 - alpha * a,
            1.0 + alpha / a, -2.0 * cosine, 1.0 - alpha / a};
}

BiquadSection DesignShelf(int kind, double centreHertz, double gainDb, int slope) {
    if (gainDb == 0.0 || (slope != 0 && slope != 1)) {
        return {};
    }
    bool low = kind == ResponseKind::kLowShelf;
    // The steeper shelf and the position of its corner are the device's choice of S and offset.
    double s = slope == 0 ? 0.5 : 1.05;
    double shift =
        low ? (slope == 0 ? 2.0 : 1.2727272727) : (slope == 0 ? 0.4545454546 : 0.76923076923);
    double omega0 = centreHertz * kDesignFrequencyFactor * shift;

    double a = std::pow(10.0, gainDb / 40.0);
    // Very large gains (only reachable from a damaged file or row) would take the root negative.
    double root = std::sqrt(std::max(0.0, (a + 1.0 / a) * (1.0 / s - 1.0) + 2.0));
    double alpha = std::sin(omega0) / 2.0 * root;
    double c = std::cos(omega0);
    double t = 2.0 * std::sqrt(a) * alpha;
    if (low) {
        return {a * ((a + 1.0) - (a - 1.0) * c + t), 2.0 * a * ((a - 1.0) - (a + 1.0) * c),
                a * ((a + 1.0) - (a - 1.0) * c - t), (a + 1.0) + (a - 1.0) * c + t,
                -2.0 * ((a - 1.0) + (a + 1.0) * c),  (a + 1.0) + (a - 1.0) * c - t};
    }
    return {a * ((a + 1.0) + (a - 1.0) * c + t), -2.0 * a * ((a - 1.0) + (a + 1.0) * c),
            a * ((a + 1.0) + (a - 1.0) * c - t), (a + 1.0) - (a - 1.0) * c + t,
            2.0 * ((a - 1.0) - (a + 1.0) * c),   (a + 1.0) - (a - 1.0) * c - t};
}

CrossoverSections DesignCrossover(int kind, int frequency, int family, int slope) {
    CrossoverSections design;
    // Family and slope arrive from files and the device as raw numbers; an unknown one draws flat.
    if (!IsFamily(family) || slope < 0 || slope >= kSlopeCount) {
        return design;
    }
    bool highPass = kind == ResponseKind::kHighPass;
    double centre = highPass ? GridFrequencyNear(frequency) : static_cast<double>(frequency);
    if (family == ResponseFamily::kBessel) {
        centre /= highPass ? kBesselHighPassDivisor[slope] : kBesselLowPassDivisor[slope];
    }
    double omega0 = centre * kDesignFrequencyFactor;
    double k = std::tan(omega0 / 2.0);

    if (!highPass && family == ResponseFamily::kBessel) {
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

void EvaluateSections(std::span<const BiquadSection> sections, GridResponse& response) {
    const UnitCircle& circle = GridUnitCircle();
    // The sections' dB contributions add, so their power ratios multiply and
    // one logarithm per point serves the whole cascade (the natural one is the
    // cheaper call; the two differ by an ulp or so).
    std::array<double, kGridPointCount> power;
    power.fill(1.0);
    for (const BiquadSection& section : sections) {
        double a0 = GuardDenominator(section.a0);
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

void ComputeElementResponse(const ElementResponseInput& input, GridResponse& response) {
    switch (input.kind) {
        case ResponseKind::kPeaking:
            if (input.bypassed) {
                break;
            }
            {
                BiquadSection section =
                    DesignPeaking(GridFrequencyNear(input.frequency), input.gain, input.bandwidth);
                EvaluateSections({&section, 1}, response);
            }
            return;
        case ResponseKind::kLowShelf:
        case ResponseKind::kHighShelf:
            if (input.bypassed) {
                break;
            }
            {
                BiquadSection section = DesignShelf(input.kind, GridFrequencyNear(input.frequency),
                                                    input.gain, input.slope);
                EvaluateSections({&section, 1}, response);
            }
            return;
        case ResponseKind::kHighPass:
            if (input.frequency == 20) {
                break;
            }
            EvaluateSections(
                DesignCrossover(input.kind, input.frequency, input.family, input.slope).View(),
                response);
            return;
        case ResponseKind::kLowPass:
            if (input.frequency == 20000) {
                break;
            }
            EvaluateSections(
                DesignCrossover(input.kind, input.frequency, input.family, input.slope).View(),
                response);
            return;
        default:
            break;
    }
    response.fill(0.0);
}
