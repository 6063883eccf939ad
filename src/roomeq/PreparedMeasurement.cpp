// SPDX-License-Identifier: GPL-3.0-or-later
#include "roomeq/PreparedMeasurement.h"

#include <algorithm>
#include <cmath>

#include "roomeq/OctaveSmoothing.h"

namespace {
// How far `levels` lie above `reference`: the median of their differences,
// so that one position's local mode does not shift its whole curve.
double LevelOffset(const std::vector<double>& levels, const std::vector<double>& reference) {
    std::vector<double> differences(levels.size());
    for (size_t k = 0; k < levels.size(); ++k) {
        differences[k] = levels[k] - reference[k];
    }
    const auto middle = differences.begin() + static_cast<long>(differences.size() / 2);
    std::nth_element(differences.begin(), middle, differences.end());
    return *middle;
}

size_t PointsInRange(const MeasurementCurve& curve, double low, double high) {
    return static_cast<size_t>(
        std::ranges::count_if(curve.hertz, [&](double f) { return f >= low && f <= high; }));
}

MeasurementCurve Calibrated(const MeasurementCurve& position,
                            const std::optional<MeasurementCurve>& calibration) {
    MeasurementCurve result = position;
    if (calibration) {
        const std::vector<double> offsets = LevelsAt(*calibration, position.hertz);
        for (size_t k = 0; k < result.db.size(); ++k) {
            result.db[k] -= offsets[k];
        }
    }
    return result;
}
}  // namespace

std::optional<RoomEqProblem> CheckMeasurementSettings(const MeasurementSettings& settings) {
    if (!(settings.lowHertz >= 20.0 && settings.highHertz <= 20000.0 &&
          settings.lowHertz < settings.highHertz)) {
        return RoomEqProblem{
            RoomEqProblemKind::BadSetting, {}, 0, "range: 20..20000 Hz, low below high"};
    }
    if (settings.smoothing < 0 || settings.smoothing > 48) {
        return RoomEqProblem{RoomEqProblemKind::BadSetting, {}, 0, "smoothing: 1/1 .. 1/48"};
    }
    if (settings.positions.empty()) {
        return RoomEqProblem{RoomEqProblemKind::NoNumbers, {}, 0, {}};
    }
    return std::nullopt;
}

std::variant<PreparedMeasurement, RoomEqProblem> PrepareMeasurement(
    const MeasurementSettings& settings) {
    if (std::optional<RoomEqProblem> problem = CheckMeasurementSettings(settings)) {
        return *problem;
    }
    for (const MeasurementCurve& position : settings.positions) {
        if (PointsInRange(position, settings.lowHertz, settings.highHertz) < kFewestPointsInRange) {
            return RoomEqProblem{RoomEqProblemKind::TooFewPoints, position.name, 0, {}};
        }
    }
    // Every position is read at the first one's points; its points outside
    // the range are kept for smoothing near the range's edges.
    const MeasurementCurve first = Calibrated(settings.positions.front(), settings.calibration);
    const std::vector<double>& allHertz = first.hertz;
    std::vector<bool> inRange(allHertz.size());
    std::vector<double> rangeHertz;
    for (size_t k = 0; k < allHertz.size(); ++k) {
        inRange[k] = allHertz[k] >= settings.lowHertz && allHertz[k] <= settings.highHertz;
        if (inRange[k]) {
            rangeHertz.push_back(allHertz[k]);
        }
    }
    const auto inRangeOnly = [&](const std::vector<double>& levels) {
        std::vector<double> kept;
        for (size_t k = 0; k < levels.size(); ++k) {
            if (inRange[k]) {
                kept.push_back(levels[k]);
            }
        }
        return kept;
    };

    std::vector<std::vector<double>> aligned;
    std::vector<double> reference;
    for (size_t p = 0; p < settings.positions.size(); ++p) {
        const MeasurementCurve position = Calibrated(settings.positions[p], settings.calibration);
        if (position.hertz.front() > settings.highHertz ||
            position.hertz.back() < settings.lowHertz) {
            return RoomEqProblem{RoomEqProblemKind::NoOverlap, position.name, 0, {}};
        }
        std::vector<double> levels = p == 0 ? position.db : LevelsAt(position, allHertz);
        if (p == 0) {
            reference = inRangeOnly(levels);
        }
        const double offset = LevelOffset(inRangeOnly(levels), reference);
        for (double& level : levels) {
            level -= offset;
        }
        aligned.push_back(std::move(levels));
    }

    const size_t count = allHertz.size();
    std::vector<double> average(count);
    std::vector<double> low(count);
    std::vector<double> high(count);
    for (size_t k = 0; k < count; ++k) {
        double power = 0.0;
        low[k] = high[k] = aligned.front()[k];
        for (const std::vector<double>& levels : aligned) {
            power += std::pow(10.0, levels[k] / 10.0);
            low[k] = std::min(low[k], levels[k]);
            high[k] = std::max(high[k], levels[k]);
        }
        average[k] = 10.0 * std::log10(power / static_cast<double>(aligned.size()));
    }

    PreparedMeasurement prepared;
    prepared.lowHertz = settings.lowHertz;
    prepared.highHertz = settings.highHertz;
    prepared.nulls = FindRoomNulls(allHertz, average, settings.lowHertz, settings.highHertz);
    const std::vector<double> filled = FillRoomNulls(allHertz, average, prepared.nulls);
    prepared.hertz = rangeHertz;
    prepared.measured = inRangeOnly(SmoothFractionalOctave(allHertz, average, settings.smoothing));
    prepared.aimed = inRangeOnly(SmoothFractionalOctave(allHertz, filled, settings.smoothing));
    prepared.spreadLow = inRangeOnly(SmoothFractionalOctave(allHertz, low, settings.smoothing));
    prepared.spreadHigh = inRangeOnly(SmoothFractionalOctave(allHertz, high, settings.smoothing));
    prepared.target = TargetLevels(settings.target, rangeHertz);
    return prepared;
}
