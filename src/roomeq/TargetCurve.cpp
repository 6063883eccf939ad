// SPDX-License-Identifier: GPL-3.0-or-later
#include "roomeq/TargetCurve.h"

#include <cmath>

std::vector<double> TargetLevels(const TargetSpec& target, std::span<const double> hertz) {
    if (target.kind == TargetKind::File) {
        return LevelsAt(target.curve, hertz);
    }
    std::vector<double> levels(hertz.size(), 0.0);
    if (target.kind == TargetKind::Flat) {
        return levels;
    }
    for (size_t k = 0; k < hertz.size(); ++k) {
        // A first-order shelf: the whole gain well below the corner, half of it (in power) there.
        const double power = std::pow(10.0, target.shelfGainDb / 10.0);
        const double corner = target.shelfCornerHertz * target.shelfCornerHertz;
        const double square = hertz[k] * hertz[k];
        const double shelf = 10.0 * std::log10((power * corner + square) / (corner + square));
        levels[k] = target.tiltDbPerDecade * std::log10(hertz[k] / 1000.0) + shelf;
    }
    return levels;
}
