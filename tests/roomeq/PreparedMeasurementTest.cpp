// SPDX-License-Identifier: GPL-3.0-or-later
// From loaded files to the curve a fit aims at: calibration, several
// positions, smoothing, nulls, targets and the range.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <variant>

#include "SyntheticRooms.h"
#include "roomeq/FitError.h"
#include "roomeq/OctaveSmoothing.h"
#include "roomeq/PreparedMeasurement.h"

namespace {
MeasurementCurve Curve(std::string name, double (*level)(double), int perOctave = 48) {
    MeasurementCurve curve{std::move(name), LogSpacedHertz(perOctave), {}};
    for (double f : curve.hertz) {
        curve.db.push_back(level(f));
    }
    return curve;
}

PreparedMeasurement Prepare(const MeasurementSettings& settings) {
    auto prepared = PrepareMeasurement(settings);
    EXPECT_TRUE(std::holds_alternative<PreparedMeasurement>(prepared));
    return std::get<PreparedMeasurement>(std::move(prepared));
}

double At(const PreparedMeasurement& p, const std::vector<double>& levels, double hertz) {
    const auto it = std::ranges::lower_bound(p.hertz, hertz);
    return levels[static_cast<size_t>(it - p.hertz.begin())];
}

TEST(PreparedMeasurement, KeepsTheOwnPointsInsideTheRange) {
    MeasurementSettings settings;
    settings.positions = {Curve("flat", [](double) { return 80.0; })};
    const PreparedMeasurement p = Prepare(settings);
    ASSERT_FALSE(p.hertz.empty());
    EXPECT_GE(p.hertz.front(), 40.0);
    EXPECT_LE(p.hertz.back(), 16000.0);
    for (double level : p.measured) {
        EXPECT_NEAR(level, 80.0, 1e-9);
    }
}

TEST(PreparedMeasurement, SubtractsTheCalibration) {
    MeasurementSettings settings;
    settings.positions = {Curve("room", [](double) { return 80.0; })};
    // The microphone reads 2 dB high in the treble.
    settings.calibration =
        MeasurementCurve{"mic.cal", {20.0, 5000.0, 10000.0, 20000.0}, {0.0, 0.0, 2.0, 2.0}};
    settings.smoothing = kNoSmoothing;
    const PreparedMeasurement p = Prepare(settings);
    EXPECT_NEAR(At(p, p.measured, 1000.0), 80.0, 1e-9);
    EXPECT_NEAR(At(p, p.measured, 12000.0), 78.0, 1e-9);
}

TEST(PreparedMeasurement, AlignsThreePositionsAndPowerAveragesThem) {
    MeasurementSettings settings;
    // The same room at three levels; one position has a 6 dB hump at 100 Hz.
    settings.positions = {
        Curve("a", [](double) { return 70.0; }), Curve("b", [](double) { return 80.0; }),
        Curve("c", [](double f) { return 75.0 + (f > 90 && f < 110 ? 6.0 : 0.0); })};
    settings.smoothing = kNoSmoothing;
    const PreparedMeasurement p = Prepare(settings);
    // Aligned to the first position's level, away from the hump all three agree.
    EXPECT_NEAR(At(p, p.measured, 1000.0), 70.0, 1e-9);
    EXPECT_NEAR(At(p, p.spreadLow, 1000.0), At(p, p.spreadHigh, 1000.0), 1e-9);
    // In the hump: the power average of 0, 0 and +6 dB, and a spread of 6 dB.
    const double hump = At(p, p.measured, 100.0) - At(p, p.measured, 1000.0);
    EXPECT_NEAR(hump, 10.0 * std::log10((1.0 + 1.0 + std::pow(10.0, 0.6)) / 3.0), 0.1);
    EXPECT_NEAR(At(p, p.spreadHigh, 100.0) - At(p, p.spreadLow, 100.0), 6.0, 0.1);
}

TEST(PreparedMeasurement, TooFewPointsInTheRangeNamesTheFile) {
    MeasurementSettings settings;
    settings.positions = {
        MeasurementCurve{"sparse.txt", {20, 100, 1000, 10000, 20000}, {1, 2, 3, 4, 5}}};
    const auto prepared = PrepareMeasurement(settings);
    ASSERT_TRUE(std::holds_alternative<RoomEqProblem>(prepared));
    EXPECT_EQ(DescribeProblem(std::get<RoomEqProblem>(prepared), Language::English),
              "sparse.txt: fewer than 10 points lie inside the fitting range");
}

TEST(PreparedMeasurement, RefusesARangeOutsideTheDevice) {
    MeasurementSettings settings;
    settings.positions = {Curve("flat", [](double) { return 80.0; })};
    settings.lowHertz = 5000.0;
    settings.highHertz = 1000.0;
    EXPECT_TRUE(std::holds_alternative<RoomEqProblem>(PrepareMeasurement(settings)));
}

TEST(OctaveSmoothing, LeavesAStraightLineAndFlattensANarrowPeak) {
    const std::vector<double> hertz = LogSpacedHertz(48);
    std::vector<double> tilt;
    std::vector<double> peak;
    for (double f : hertz) {
        tilt.push_back(3.0 * std::log2(f / 1000.0));
        peak.push_back(std::abs(std::log2(f / 1000.0)) < 0.02 ? 12.0 : 0.0);
    }
    const std::vector<double> smoothTilt = SmoothFractionalOctave(hertz, tilt, 3);
    for (size_t k = 40; k + 40 < hertz.size(); ++k) {
        EXPECT_NEAR(smoothTilt[k], tilt[k], 0.05) << hertz[k];
    }
    const std::vector<double> smoothPeak = SmoothFractionalOctave(hertz, peak, 3);
    EXPECT_LT(*std::ranges::max_element(smoothPeak), 3.0);
    EXPECT_EQ(SmoothFractionalOctave(hertz, peak, kNoSmoothing), peak);
}

TEST(RoomNulls, ADeepNarrowDipIsANullAndIsFilled) {
    MeasurementSettings settings;
    settings.positions = {Curve("null", [](double f) {
        const double d = std::log2(f / 150.0) / 0.03;
        return 80.0 - 20.0 / (1.0 + d * d);
    })};
    settings.smoothing = kNoSmoothing;
    const PreparedMeasurement p = Prepare(settings);
    ASSERT_EQ(p.nulls.size(), 1u);
    EXPECT_NEAR(p.nulls[0].centreHertz, 150.0, 5.0);
    EXPECT_GT(p.nulls[0].depthDb, 15.0);
    EXPECT_NEAR(At(p, p.aimed, 150.0), 80.0, 0.5);
    EXPECT_LT(At(p, p.measured, 150.0), 65.0);
}

TEST(RoomNulls, ABroadGentleDipIsNoNull) {
    MeasurementSettings settings;
    settings.positions = {Curve("dip", [](double f) {
        const double d = std::log2(f / 500.0) / 0.4;
        return 80.0 - 6.0 / (1.0 + d * d);
    })};
    EXPECT_TRUE(Prepare(settings).nulls.empty());
}

TEST(TargetCurve, TiltAndBassShelf) {
    TargetSpec target{TargetKind::HouseCurve, -1.0, 6.0, 100.0, {}};
    const std::vector<double> hertz{10.0, 100.0, 1000.0, 10000.0};
    const std::vector<double> levels = TargetLevels(target, hertz);
    // -1 dB a decade about 1 kHz, plus the shelf: half its power at the corner, all of it far
    // below.
    const auto shelf = [](double f) {
        return 10.0 * std::log10((std::pow(10.0, 0.6) * 1e4 + f * f) / (1e4 + f * f));
    };
    EXPECT_NEAR(levels[3], -1.0 + shelf(10000.0), 1e-9);
    EXPECT_NEAR(levels[2], shelf(1000.0), 1e-9);
    EXPECT_NEAR(levels[1], 1.0 + 10.0 * std::log10((std::pow(10.0, 0.6) + 1.0) / 2.0), 1e-9);
    EXPECT_NEAR(levels[0], 2.0 + 6.0, 0.1);
}
}  // namespace
