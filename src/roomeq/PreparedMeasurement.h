// SPDX-License-Identifier: GPL-3.0-or-later
// From the files a technician loads to the curve a fit aims at: the
// microphone's calibration taken off each position, the positions aligned in
// level over the fitting range and power-averaged (with their spread kept for
// the preview), the average smoothed, room nulls found and filled, and the
// target read at the same points. Everything is on the first position's own
// frequency points inside the fitting range.
#pragma once

#include <optional>
#include <variant>
#include <vector>

#include "roomeq/MeasurementCurve.h"
#include "roomeq/RoomEqProblem.h"
#include "roomeq/RoomNulls.h"
#include "roomeq/TargetCurve.h"

inline constexpr double kDefaultLowHertz = 40.0;
inline constexpr double kDefaultHighHertz = 16000.0;
inline constexpr int kDefaultSmoothing = 6;
inline constexpr int kFewestPointsInRange = 10;

struct MeasurementSettings {
    std::vector<MeasurementCurve> positions;
    std::optional<MeasurementCurve> calibration;
    TargetSpec target;
    double lowHertz = kDefaultLowHertz;
    double highHertz = kDefaultHighHertz;
    // N of 1/N octave; 0 for none.
    int smoothing = kDefaultSmoothing;
};

struct PreparedMeasurement {
    std::vector<double> hertz;
    // The positions' power average, smoothed: what the preview shows as measured.
    std::vector<double> measured;
    // The lowest and highest position at each point, aligned and smoothed alike.
    std::vector<double> spreadLow;
    std::vector<double> spreadHigh;
    // `measured` with the room nulls filled: what the fit corrects.
    std::vector<double> aimed;
    std::vector<double> target;
    std::vector<RoomNull> nulls;
    double lowHertz = kDefaultLowHertz;
    double highHertz = kDefaultHighHertz;
};

std::variant<PreparedMeasurement, RoomEqProblem> PrepareMeasurement(
    const MeasurementSettings& settings);

// The one-line reason the range or smoothing cannot be used, if any.
std::optional<RoomEqProblem> CheckMeasurementSettings(const MeasurementSettings& settings);
