// SPDX-License-Identifier: GPL-3.0-or-later
// Room nulls: narrow or deep dips of a measurement that equalising cannot
// fill (a cancellation stays a cancellation however much it is boosted), so
// boosting them only wastes headroom. They are found against the median level
// of the surrounding octave and left out of what the fit aims at.
#pragma once

#include <span>
#include <vector>

struct RoomNull {
    double lowHertz = 0.0;
    double highHertz = 0.0;
    double centreHertz = 0.0;
    // How far the dip's bottom lies below its neighbourhood.
    double depthDb = 0.0;
};

// A dip narrower than this (where it is 3 dB below its neighbourhood) is a null...
inline constexpr double kNarrowestFillableOctaves = 1.0 / 3.0;
// ...when it is at least this deep;
inline constexpr double kNarrowNullDepthDb = 5.0;
// and any dip deeper than this is one, however wide.
inline constexpr double kDeepNullDepthDb = 10.0;

// The nulls whose bottom lies between lowHertz and highHertz, lowest first.
std::vector<RoomNull> FindRoomNulls(std::span<const double> hertz, std::span<const double> db,
                                    double lowHertz, double highHertz);

// The levels with each null replaced by its neighbourhood's level.
std::vector<double> FillRoomNulls(std::span<const double> hertz, std::span<const double> db,
                                  std::span<const RoomNull> nulls);
