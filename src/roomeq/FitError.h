// SPDX-License-Identifier: GPL-3.0-or-later
// The error a fit is judged by: the spread of (measured + chain - target) over
// the measurement's own points, with its mean removed (the level is free).
// Points are weighted by the share of log frequency they stand for, so that
// each octave counts alike however densely the file samples the treble.
#pragma once

#include <span>
#include <vector>

// One weight per point, summing to 1: half the log-frequency distance to
// each neighbour. Equal spacing on a log axis gives equal weights.
std::vector<double> OctaveWeights(std::span<const double> hertz);

// One weight per point, summing to 1: every point alike.
std::vector<double> EqualWeights(size_t count);

struct ErrorFigures {
    double rmsDb = 0.0;
    // The largest distance of a point from the (weighted) mean.
    double maxAbsDb = 0.0;
};

ErrorFigures MeasureError(std::span<const double> residual, std::span<const double> weights);
