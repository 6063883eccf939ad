// SPDX-License-Identifier: GPL-3.0-or-later
#include "roomeq/MeasurementCurve.h"

#include <algorithm>
#include <cmath>

namespace {
double Between(const MeasurementCurve& curve, size_t upper, double hertz) {
    const double lowHertz = curve.hertz[upper - 1];
    const double highHertz = curve.hertz[upper];
    const double fraction = std::log(hertz / lowHertz) / std::log(highHertz / lowHertz);
    return curve.db[upper - 1] + fraction * (curve.db[upper] - curve.db[upper - 1]);
}
}  // namespace

double LevelAt(const MeasurementCurve& curve, double hertz) {
    if (curve.hertz.empty()) {
        return 0.0;
    }
    if (hertz <= curve.hertz.front()) {
        return curve.db.front();
    }
    if (hertz >= curve.hertz.back()) {
        return curve.db.back();
    }
    const auto above = std::ranges::lower_bound(curve.hertz, hertz);
    return Between(curve, static_cast<size_t>(above - curve.hertz.begin()), hertz);
}

std::vector<double> LevelsAt(const MeasurementCurve& curve, std::span<const double> hertz) {
    std::vector<double> levels;
    levels.reserve(hertz.size());
    size_t upper = 1;
    for (double f : hertz) {
        if (curve.hertz.empty()) {
            levels.push_back(0.0);
        } else if (f <= curve.hertz.front()) {
            levels.push_back(curve.db.front());
        } else if (f >= curve.hertz.back()) {
            levels.push_back(curve.db.back());
        } else {
            while (curve.hertz[upper] < f) {
                ++upper;
            }
            levels.push_back(Between(curve, upper, f));
        }
    }
    return levels;
}
