// SPDX-License-Identifier: GPL-3.0-or-later
#include "roomeq/LogGrid.h"

#include <algorithm>
#include <cmath>

#include "roomeq/MeasurementCurve.h"

double LogGridCurve::HertzAt(size_t index) const {
    return firstHertz * std::exp2(step * static_cast<double>(index));
}

int LogGridCurve::HalfWidth(double octaves) const {
    return static_cast<int>(std::lround(octaves / 2.0 / step));
}

LogGridCurve ResampleOnLogGrid(std::span<const double> hertz, std::span<const double> db,
                               double stepOctaves) {
    LogGridCurve grid;
    grid.step = stepOctaves;
    if (hertz.empty()) {
        return grid;
    }
    grid.firstHertz = hertz.front();
    const double span = std::log2(hertz.back() / hertz.front());
    const size_t count = static_cast<size_t>(std::floor(span / stepOctaves)) + 1;
    std::vector<double> total(count, 0.0);
    std::vector<int> members(count, 0);
    for (size_t k = 0; k < hertz.size(); ++k) {
        const double position = std::log2(hertz[k] / grid.firstHertz) / stepOctaves;
        const size_t cell = std::min(count - 1, static_cast<size_t>(std::lround(position)));
        total[cell] += db[k];
        ++members[cell];
    }
    const MeasurementCurve curve{{},
                                 std::vector<double>(hertz.begin(), hertz.end()),
                                 std::vector<double>(db.begin(), db.end())};
    grid.db.resize(count);
    for (size_t i = 0; i < count; ++i) {
        grid.db[i] = members[i] > 0 ? total[i] / members[i] : LevelAt(curve, grid.HertzAt(i));
    }
    return grid;
}

std::vector<double> ReadLogGrid(const LogGridCurve& grid, std::span<const double> hertz) {
    std::vector<double> levels;
    levels.reserve(hertz.size());
    const double last = static_cast<double>(grid.db.size()) - 1.0;
    for (double f : hertz) {
        const double position = std::clamp(std::log2(f / grid.firstHertz) / grid.step, 0.0, last);
        const size_t below = static_cast<size_t>(std::floor(position));
        const size_t above = std::min(below + 1, grid.db.size() - 1);
        const double fraction = position - static_cast<double>(below);
        levels.push_back(grid.db[below] + fraction * (grid.db[above] - grid.db[below]));
    }
    return levels;
}
