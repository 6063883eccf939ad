// SPDX-License-Identifier: GPL-3.0-or-later
#include "curves/ResponseAtFrequencies.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "curves/NaturalLog.h"

namespace {
// 10 log10(x) as a multiple of ln(x).
constexpr double kDbPerNeperOfPower = 4.342944819032518;
}  // namespace

FrequencyPoints::FrequencyPoints(std::span<const double> hertz) {
    cosine_.reserve(hertz.size());
    sine_.reserve(hertz.size());
    for (double f : hertz) {
        const double omega = f * kEvaluationTwoPi / kSampleRate;
        cosine_.push_back(std::cos(omega));
        sine_.push_back(std::sin(omega));
    }
}

void EvaluateSectionsAt(std::span<const BiquadSection> sections, const FrequencyPoints& points,
                        std::span<double> db) {
    const int count = points.Count();
    std::fill_n(db.begin(), count, 1.0);
    const std::span<const double> cosine = points.Cosine();
    const std::span<const double> sine = points.Sine();
    for (const BiquadSection& section : sections) {
        const double a0 = GuardedDenominator(section.a0);
        const double b0 = section.b0 / a0;
        const double b1 = section.b1 / a0;
        const double b2 = section.b2 / a0;
        const double a1 = section.a1 / a0;
        const double a2 = section.a2 / a0;
        for (int i = 0; i < count; ++i) {
            const double c = cosine[i];
            const double s = sine[i];
            const double numeratorReal = (b0 + b2) * c + b1;
            const double numeratorImaginary = (b0 - b2) * s;
            const double denominatorReal = (1.0 + a2) * c + a1;
            const double denominatorImaginary = (1.0 - a2) * s;
            const double numerator =
                numeratorReal * numeratorReal + numeratorImaginary * numeratorImaginary;
            const double denominator =
                denominatorReal * denominatorReal + denominatorImaginary * denominatorImaginary;
            db[i] *= numerator / std::max(denominator, DBL_MIN);
        }
    }
    // A fit evaluates this tens of thousands of times, so the logarithm is
    // the vectorisable one; powers outside the normal range (damaged
    // parameters only) take the library's.
    for (int i = 0; i < count; ++i) {
        const double power = db[i];
        if (power >= DBL_MIN && power <= DBL_MAX) {
            db[i] = kDbPerNeperOfPower * NaturalLogOfNormal(power);
        } else {
            const double value = kDbPerNeperOfPower * std::log(std::max(power, DBL_MIN));
            db[i] = std::isfinite(value) ? value : 0.0;
        }
    }
}

void ComputeElementResponseAt(const ElementResponseInput& input, const FrequencyPoints& points,
                              std::span<double> db) {
    switch (input.kind) {
        case ElementType::kPeaking:
            if (!input.bypassed) {
                const BiquadSection section = DesignPeaking(NearestGridFrequency(input.frequency),
                                                            input.gain, input.bandwidth);
                EvaluateSectionsAt({&section, 1}, points, db);
                return;
            }
            break;
        case ElementType::kLowShelf:
        case ElementType::kHighShelf:
            if (!input.bypassed) {
                const BiquadSection section = DesignShelf(
                    input.kind, NearestGridFrequency(input.frequency), input.gain, input.slope);
                EvaluateSectionsAt({&section, 1}, points, db);
                return;
            }
            break;
        case ElementType::kHighPass:
        case ElementType::kLowPass: {
            const int off = input.kind == ElementType::kHighPass ? 20 : 20000;
            if (input.frequency != off) {
                const CrossoverSections design =
                    DesignCrossover(input.kind, input.frequency, input.family, input.slope);
                EvaluateSectionsAt(design.View(), points, db);
                return;
            }
            break;
        }
        default:
            break;
    }
    std::fill_n(db.begin(), points.Count(), 0.0);
}
