// SPDX-License-Identifier: GPL-3.0-or-later
// A curve resampled onto frequencies equally spaced in log frequency, where
// octave-wide windows are runs of equal length: smoothing and the search for
// room nulls both work there, then read back at the measurement's own points.
#pragma once

#include <span>
#include <vector>

struct LogGridCurve {
    double firstHertz = 1.0;
    // Octaves between neighbouring points.
    double step = 1.0 / 96.0;
    std::vector<double> db;

    double HertzAt(size_t index) const;
    // Points in half a window of `octaves`.
    int HalfWidth(double octaves) const;
};

// Each grid point takes the mean of the points falling into its cell, or the
// curve interpolated there when none do.
LogGridCurve ResampleOnLogGrid(std::span<const double> hertz, std::span<const double> db,
                               double stepOctaves);

// The grid curve read at `hertz`, linear in dB between grid points.
std::vector<double> ReadLogGrid(const LogGridCurve& grid, std::span<const double> hertz);
