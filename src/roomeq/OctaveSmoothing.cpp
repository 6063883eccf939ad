// SPDX-License-Identifier: GPL-3.0-or-later
#include "roomeq/OctaveSmoothing.h"

#include <algorithm>

#include "roomeq/LogGrid.h"

std::vector<double> SmoothFractionalOctave(std::span<const double> hertz,
                                           std::span<const double> db, int fraction) {
    if (fraction <= kNoSmoothing || hertz.size() < 2) {
        return std::vector<double>(db.begin(), db.end());
    }
    // Eight grid points to the narrowest window, so that it is never a single point.
    const double window = 1.0 / fraction;
    LogGridCurve grid = ResampleOnLogGrid(hertz, db, std::min(1.0 / 96.0, window / 8.0));
    const int half = grid.HalfWidth(window);
    const int count = static_cast<int>(grid.db.size());
    std::vector<double> prefix(count + 1, 0.0);
    for (int i = 0; i < count; ++i) {
        prefix[i + 1] = prefix[i] + grid.db[i];
    }
    LogGridCurve smoothed = grid;
    for (int i = 0; i < count; ++i) {
        // Near the ends the window shrinks symmetrically, so an edge is not pulled by one side.
        const int reach = std::min({half, i, count - 1 - i});
        smoothed.db[i] = (prefix[i + reach + 1] - prefix[i - reach]) / (2 * reach + 1);
    }
    return ReadLogGrid(smoothed, hertz);
}
