// SPDX-License-Identifier: GPL-3.0-or-later
// A magnitude response as a measurement file gives it: levels in dB at
// increasing frequencies. Measurements, calibration files and target files
// all arrive in this shape.
#pragma once

#include <span>
#include <string>
#include <vector>

struct MeasurementCurve {
    // Where it came from, for messages and the preview's legend.
    std::string name;
    std::vector<double> hertz;
    std::vector<double> db;
};

// The curve's level at `hertz`, linear in dB over log frequency between its
// points and held at its first and last level outside them.
double LevelAt(const MeasurementCurve& curve, double hertz);

// LevelAt for every frequency of `hertz`, which must increase.
std::vector<double> LevelsAt(const MeasurementCurve& curve, std::span<const double> hertz);
