// SPDX-License-Identifier: GPL-3.0-or-later
// What the room should measure like: flat, a house curve (a tilt in dB per
// decade, with an optional low-frequency shelf), or a curve from a file. Only
// its shape matters, since the fit leaves the level free.
#pragma once

#include <span>
#include <vector>

#include "roomeq/MeasurementCurve.h"

enum class TargetKind { Flat, HouseCurve, File };

struct TargetSpec {
    TargetKind kind = TargetKind::Flat;
    double tiltDbPerDecade = 0.0;
    // The house curve's bass shelf: this much more level well below the corner.
    double shelfGainDb = 0.0;
    double shelfCornerHertz = 120.0;
    MeasurementCurve curve;
};

std::vector<double> TargetLevels(const TargetSpec& target, std::span<const double> hertz);
