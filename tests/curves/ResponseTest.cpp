// SPDX-License-Identifier: GPL-3.0-or-later
// Responses are checked against the analog prototypes they come from: a
// bilinear design warped to its centre frequency equals the prototype H(p)
// evaluated at p = j tan(w/2) / tan(w0/2). That is a different route to the
// same numbers from the one the code takes (digital coefficients on e^{jw}).
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <functional>
#include <numbers>
#include <vector>

#include "curves/FrequencyGrid.h"
#include "curves/Response.h"
#include "curves/ResponseAtFrequencies.h"

namespace {
using Complex = std::complex<double>;
using Prototype = std::function<Complex(Complex p)>;

constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr double kRate = 96000.0;
constexpr int kIndex1000Hz = 136;
constexpr int kIndex2000Hz = 160;
constexpr int kIndex4000Hz = 184;

double Omega(double hertz) {
    return kTwoPi * hertz / kRate;
}

// The bilinear map of a prototype normalised to its corner at `designHertz`.
GridResponse AnalogReference(double designHertz, const Prototype& prototype) {
    GridResponse db{};
    double k = std::tan(Omega(designHertz) / 2.0);
    for (int i = 0; i < kGridPointCount; ++i) {
        Complex p(0.0, std::tan(Omega(GridFrequencies()[i]) / 2.0) / k);
        db[i] = 20.0 * std::log10(std::abs(prototype(p)));
    }
    return db;
}

GridResponse Compute(const ElementResponseInput& input) {
    GridResponse response;
    response.fill(123.0);  // every point must be written
    ComputeElementResponse(input, response);
    return response;
}

ElementResponseInput Element(int kind, int frequency, double gain, double bandwidth, int family,
                             int slope) {
    ElementResponseInput input;
    input.kind = kind;
    input.frequency = frequency;
    input.gain = gain;
    input.bandwidth = bandwidth;
    input.family = family;
    input.slope = slope;
    input.bypassed = false;
    return input;
}

void ExpectSameCurve(const GridResponse& actual, const GridResponse& expected) {
    for (int i = 0; i < kGridPointCount; ++i) {
        // The device's rounded 2 pi moves the curve by a few millionths of a dB at most.
        ASSERT_NEAR(actual[i], expected[i], 1e-4) << "at " << GridFrequencies()[i] << " Hz";
    }
}
}  // namespace

TEST(ElementResponse, PeakingBandMatchesItsPrototype) {
    // 2 kHz is on the grid; the design's alpha makes 1/Q = 2 sinh(ln2 N w0 / sin w0).
    double gain = 6.0, octaves = 1.0, a = std::pow(10.0, gain / 40.0);
    double w0 = Omega(2000.0);
    double inverseQ = 2.0 * std::sinh(std::log(2.0) * octaves * w0 / std::sin(w0));
    auto expected = AnalogReference(2000.0, [&](Complex p) {
        return (p * p + p * (a * inverseQ) + 1.0) / (p * p + p * (inverseQ / a) + 1.0);
    });
    ExpectSameCurve(Compute(Element(ElementType::kPeaking, 2000, gain, octaves, 0, 0)), expected);
}

TEST(ElementResponse, LowShelfMatchesItsPrototypeAtItsShiftedCorner) {
    // "12dB" low shelf: S = 1.05, the corner moved by 1.2727272727.
    double gain = -9.0, a = std::pow(10.0, gain / 40.0), s = 1.05;
    double inverseQ = std::sqrt((a + 1.0 / a) * (1.0 / s - 1.0) + 2.0);
    double corner = 500.0 * 1.2727272727;
    auto expected = AnalogReference(corner, [&](Complex p) {
        double root = std::sqrt(a) * inverseQ;
        return a * (p * p + root * p + a) / (a * p * p + root * p + 1.0);
    });
    ExpectSameCurve(Compute(Element(ElementType::kLowShelf, 500, gain, 0.3, 0, 1)), expected);
}

TEST(ElementResponse, HighShelfMatchesItsPrototypeAtItsShiftedCorner) {
    // "6dB" high shelf: S = 0.5, the corner moved by 0.4545454546.
    double gain = 4.5, a = std::pow(10.0, gain / 40.0), s = 0.5;
    double inverseQ = std::sqrt((a + 1.0 / a) * (1.0 / s - 1.0) + 2.0);
    double corner = 8000.0 * 0.4545454546;
    auto expected = AnalogReference(corner, [&](Complex p) {
        double root = std::sqrt(a) * inverseQ;
        return a * (a * p * p + root * p + 1.0) / (p * p + root * p + a);
    });
    ExpectSameCurve(Compute(Element(ElementType::kHighShelf, 8000, gain, 0.3, 0, 0)), expected);
}

TEST(ElementResponse, BesselLowPassMatchesItsPrototypeSections) {
    // 24 dB: two sections 1 / (C p^2 + B p + 1) at 3000 Hz / 2.1139176749; not moved to the grid.
    auto expected = AnalogReference(3000.0 / 2.1139176749, [](Complex p) {
        return 1.0 / ((0.087858766 * p * p + 0.369 * p + 1.0) *
                      (0.109408 * p * p + 0.6278294896 * p + 1.0));
    });
    ExpectSameCurve(Compute(Element(ElementType::kLowPass, 3000, 0, 0.3, FilterFamily::kBessel, 2)),
                    expected);
}

TEST(ElementResponse, Bessel18dBLowPassHasAFirstOrderSection) {
    auto expected = AnalogReference(777.0 / 1.75567236868, [](Complex p) {
        return 1.0 / ((0.154812441 * p * p + 0.5693712514 * p + 1.0) * (0.430628846 * p + 1.0));
    });
    ExpectSameCurve(Compute(Element(ElementType::kLowPass, 777, 0, 0.3, FilterFamily::kBessel, 1)),
                    expected);
}

TEST(ElementResponse, Butterworth18dBHighPassIsFirstThenSecondOrder) {
    // 1010 Hz is designed at the grid's 1000 Hz; first order with e = 1, then Q = 1.
    auto expected = AnalogReference(
        1000.0, [](Complex p) { return p / (p + 1.0) * (p * p) / (p * p + p / 1.0 + 1.0); });
    ExpectSameCurve(
        Compute(Element(ElementType::kHighPass, 1010, 0, 0.3, FilterFamily::kButterworth, 1)),
        expected);
}

TEST(ElementResponse, Linkwitz48dBHighPassIsFourSecondOrderSections) {
    auto expected = AnalogReference(250.0, [](Complex p) {
        Complex result = 1.0;
        for (double q : {0.54, 1.34, 0.54, 1.34}) {
            result *= p * p / (p * p + p / q + 1.0);
        }
        return result;
    });
    ExpectSameCurve(
        Compute(Element(ElementType::kHighPass, 250, 0, 0.3, FilterFamily::kLinkwitzRiley, 3)),
        expected);
}

// The evaluation multiplies numerator and denominator through by e^{jw};
// here the sections are evaluated as written, H(z) at z = e^{jw}.
TEST(SectionEvaluation, MatchesTheTransferFunctionOnTheUnitCircle) {
    std::vector<std::vector<BiquadSection>> cascades = {
        {DesignPeaking(1000.0, -12.0, 2.0)},
        {DesignShelf(ElementType::kHighShelf, 4000.0, 7.5, 1)},
    };
    for (int kind : {ElementType::kHighPass, ElementType::kLowPass}) {
        for (int family = 0; family < 3; ++family) {
            for (int slope = 0; slope < 4; ++slope) {
                CrossoverSections design = DesignCrossover(kind, 900, family, slope);
                cascades.emplace_back(design.View().begin(), design.View().end());
            }
        }
    }
    for (const auto& cascade : cascades) {
        GridResponse actual;
        EvaluateSections(cascade, actual);
        for (int i = 0; i < kGridPointCount; ++i) {
            // The device's own rounded 2 pi, so that only the evaluation differs.
            Complex z = std::polar(1.0, GridFrequencies()[i] * 6.2831852 / 96000.0);
            Complex h = 1.0;
            for (const BiquadSection& s : cascade) {
                h *= (s.b0 + s.b1 / z + s.b2 / (z * z)) / (s.a0 + s.a1 / z + s.a2 / (z * z));
            }
            double expected = 20.0 * std::log10(std::abs(h));
            ASSERT_NEAR(actual[i], expected, 1e-6 + 1e-9 * std::abs(expected))
                << "cascade " << (&cascade - cascades.data()) << " at " << GridFrequencies()[i]
                << " Hz";
        }
    }
}

TEST(ElementResponse, PeakingBandPeaksAtItsGainOnItsGridPoint) {
    GridResponse response = Compute(Element(ElementType::kPeaking, 1000, 6.0, 0.3, 0, 0));
    EXPECT_NEAR(response[kIndex1000Hz], 6.0, 1e-9);
    EXPECT_EQ(std::max_element(response.begin(), response.end()) - response.begin(), kIndex1000Hz);
}

TEST(ElementResponse, FrequenciesAreMovedToTheNearestGridPoint) {
    auto peakIndex = [](int hertz) {
        GridResponse r = Compute(Element(ElementType::kPeaking, hertz, 6.0, 0.3, 0, 0));
        return std::max_element(r.begin(), r.end()) - r.begin();
    };
    EXPECT_EQ(peakIndex(1010), kIndex1000Hz);
    EXPECT_EQ(peakIndex(1015), kIndex1000Hz + 1) << "the tie between 1000 and 1030 goes up";
    EXPECT_EQ(Compute(Element(ElementType::kPeaking, 1010, 6.0, 0.3, 0, 0)),
              Compute(Element(ElementType::kPeaking, 1000, 6.0, 0.3, 0, 0)));
}

TEST(ElementResponse, Butterworth24dBLowPassFallsAt24dBPerOctave) {
    GridResponse r =
        Compute(Element(ElementType::kLowPass, 1000, 0, 0.3, FilterFamily::kButterworth, 2));
    EXPECT_NEAR(r[kIndex1000Hz], -3.0, 0.1);
    EXPECT_NEAR(r[kIndex2000Hz], -24.0, 0.5);
    EXPECT_NEAR(r[kIndex4000Hz], -48.0, 0.5);
    EXPECT_NEAR(r[0], 0.0, 1e-3);
}

struct SlopeCase {
    int family;
    int slope;
    int order;
};

class CrossoverSlopeTest : public testing::TestWithParam<SlopeCase> {};

// Far from the corner every design falls by 20 log10(2) dB per octave per
// order; a wrong section type or a missing section shows as a wrong step here.
TEST_P(CrossoverSlopeTest, StopBandsFallAtTheNamedSlope) {
    auto [family, slope, order] = GetParam();
    double dbPerOctave = order * 20.0 * std::log10(2.0);
    GridResponse high = Compute(Element(ElementType::kHighPass, 16000, 0, 0.3, family, slope));
    EXPECT_NEAR(high[64] - high[40], dbPerOctave, 0.1) << "high-pass, 125 Hz against 62.5 Hz";
    GridResponse low = Compute(Element(ElementType::kLowPass, 100, 0, 0.3, family, slope));
    // Bilinear warping steepens the top octave slightly.
    EXPECT_NEAR(low[184] - low[208], dbPerOctave, 0.05 * dbPerOctave)
        << "low-pass, 4 kHz against 8 kHz";
}

INSTANTIATE_TEST_SUITE_P(FamiliesAndSlopes, CrossoverSlopeTest,
                         testing::Values(SlopeCase{0, 0, 2}, SlopeCase{0, 1, 3}, SlopeCase{0, 2, 4},
                                         SlopeCase{0, 3, 8}, SlopeCase{1, 0, 2}, SlopeCase{1, 1, 3},
                                         SlopeCase{1, 2, 4}, SlopeCase{1, 3, 8}, SlopeCase{2, 0, 2},
                                         SlopeCase{2, 1, 3}, SlopeCase{2, 2, 4},
                                         SlopeCase{2, 3, 8}));

TEST(ElementResponse, SectionCountsFollowTheSlope) {
    for (int kind : {ElementType::kHighPass, ElementType::kLowPass}) {
        for (int family = 0; family < 3; ++family) {
            SCOPED_TRACE(testing::Message() << "kind " << kind << " family " << family);
            CrossoverSections eighteen = DesignCrossover(kind, 1000, family, 1);
            ASSERT_EQ(eighteen.count, 2);
            int firstOrder = (eighteen.sections[0].a2 == 0.0) + (eighteen.sections[1].a2 == 0.0);
            EXPECT_EQ(firstOrder, 1) << "one first-order and one second-order section";
            EXPECT_EQ(DesignCrossover(kind, 1000, family, 3).count, 4);
        }
    }
}

TEST(ElementResponse, FlatCasesWriteZeroEverywhere) {
    GridResponse zero{};
    ElementResponseInput bypassedPeak = Element(ElementType::kPeaking, 1000, 6.0, 0.3, 0, 0);
    bypassedPeak.bypassed = true;
    ElementResponseInput bypassedShelf = Element(ElementType::kLowShelf, 100, 6.0, 0.3, 0, 1);
    bypassedShelf.bypassed = true;
    EXPECT_EQ(Compute(bypassedPeak), zero);
    EXPECT_EQ(Compute(bypassedShelf), zero);
    EXPECT_EQ(Compute(Element(ElementType::kHighShelf, 4000, 0.0, 0.3, 0, 0)), zero)
        << "a 0 dB shelf is flat even when it is not bypassed";
    for (int family = 0; family < 3; ++family) {
        for (int slope = 0; slope < 4; ++slope) {
            EXPECT_EQ(Compute(Element(ElementType::kHighPass, 20, 0, 0.3, family, slope)), zero);
            EXPECT_EQ(Compute(Element(ElementType::kLowPass, 20000, 0, 0.3, family, slope)), zero);
        }
    }
    EXPECT_EQ(Compute(Element(7, 1000, 6.0, 0.3, 0, 0)), zero) << "unknown kind";
    EXPECT_EQ(Compute(Element(ElementType::kHighPass, 1000, 0, 0.3, 9, 0)), zero)
        << "unknown family";
    EXPECT_EQ(Compute(Element(ElementType::kLowPass, 1000, 0, 0.3, 0, 4)), zero) << "unknown slope";
}

TEST(ElementResponse, DamagedParametersStillGiveNumbers) {
    // Gains and bandwidths reach here unchecked from files and device rows.
    for (ElementResponseInput input : {Element(ElementType::kPeaking, 1000, 1e300, 0.3, 0, 0),
                                       Element(ElementType::kPeaking, 1000, 6.0, 1e300, 0, 0),
                                       Element(ElementType::kPeaking, 1000, -3256.0, -327.0, 0, 0),
                                       Element(ElementType::kLowShelf, 1000, 3256.0, 0.3, 0, 1),
                                       Element(ElementType::kHighShelf, 5000, -3256.0, 0.3, 0, 0),
                                       Element(ElementType::kLowPass, -5, 0, 0.3, 1, 3),
                                       Element(ElementType::kLowPass, 48000, 0, 0.3, 2, 3)}) {
        for (double db : Compute(input)) {
            ASSERT_FALSE(std::isnan(db)) << "kind " << input.kind << " gain " << input.gain;
        }
    }
}

// The room fit judges bands at a measurement's own frequencies: on the grid
// frequencies that must be exactly the display's response, for every kind.
TEST(ResponseAtFrequencies, MatchesTheGridResponseOnTheGrid) {
    const FrequencyPoints grid(GridFrequencies());
    const ElementResponseInput inputs[] = {
        {ElementType::kPeaking, 1010, 6.0, 0.3, 0, 0, false},
        {ElementType::kPeaking, 63, -12.5, 0.05, 0, 0, false},
        {ElementType::kLowShelf, 150, 4.0, 0.3, 0, 1, false},
        {ElementType::kHighShelf, 5000, -7.0, 0.3, 0, 0, false},
        {ElementType::kHighPass, 80, 0.0, 0.3, FilterFamily::kBessel, 2, false},
        {ElementType::kLowPass, 3000, 0.0, 0.3, FilterFamily::kLinkwitzRiley, 3, false},
        {ElementType::kPeaking, 1000, 6.0, 0.3, 0, 0, true},
    };
    for (const ElementResponseInput& input : inputs) {
        GridResponse expected{};
        ComputeElementResponse(input, expected);
        std::vector<double> actual(kGridPointCount);
        ComputeElementResponseAt(input, grid, actual);
        for (int i = 0; i < kGridPointCount; ++i) {
            EXPECT_NEAR(actual[i], expected[i], 1e-9) << "kind " << input.kind << " point " << i;
        }
    }
}
