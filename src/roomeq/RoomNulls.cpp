// SPDX-License-Identifier: GPL-3.0-or-later
#include "roomeq/RoomNulls.h"

#include <algorithm>
#include <cmath>

#include "roomeq/LogGrid.h"

namespace {
constexpr double kGridStep = 1.0 / 96.0;
constexpr double kNeighbourhoodOctaves = 1.0;
// A dip starts and ends where the curve comes this close to its neighbourhood.
constexpr double kDipEdgeDb = 3.0;
// Filling reaches out to where the curve is this close again.
constexpr double kFillEdgeDb = 1.0;

struct GridNeighbourhood {
    LogGridCurve curve;
    std::vector<double> median;
};

GridNeighbourhood Neighbourhood(std::span<const double> hertz, std::span<const double> db) {
    GridNeighbourhood result{ResampleOnLogGrid(hertz, db, kGridStep), {}};
    const int count = static_cast<int>(result.curve.db.size());
    const int half = result.curve.HalfWidth(kNeighbourhoodOctaves);
    result.median.resize(count);
    std::vector<double> window;
    for (int i = 0; i < count; ++i) {
        const int first = std::max(0, i - half);
        const int last = std::min(count - 1, i + half);
        window.assign(result.curve.db.begin() + first, result.curve.db.begin() + last + 1);
        const auto middle = window.begin() + static_cast<long>(window.size() / 2);
        std::nth_element(window.begin(), middle, window.end());
        result.median[i] = *middle;
    }
    return result;
}
}  // namespace

std::vector<RoomNull> FindRoomNulls(std::span<const double> hertz, std::span<const double> db,
                                    double lowHertz, double highHertz) {
    std::vector<RoomNull> nulls;
    if (hertz.size() < 3) {
        return nulls;
    }
    const GridNeighbourhood around = Neighbourhood(hertz, db);
    const LogGridCurve& curve = around.curve;
    const int count = static_cast<int>(curve.db.size());
    int i = 0;
    while (i < count) {
        if (around.median[i] - curve.db[i] <= kDipEdgeDb) {
            ++i;
            continue;
        }
        const int first = i;
        int bottom = i;
        while (i < count && around.median[i] - curve.db[i] > kDipEdgeDb) {
            if (around.median[i] - curve.db[i] > around.median[bottom] - curve.db[bottom]) {
                bottom = i;
            }
            ++i;
        }
        const int last = i - 1;
        const double depth = around.median[bottom] - curve.db[bottom];
        const double width = (last - first + 1) * curve.step;
        const double centre = curve.HertzAt(bottom);
        const bool isNull = depth > kDeepNullDepthDb ||
                            (width < kNarrowestFillableOctaves && depth >= kNarrowNullDepthDb);
        if (isNull && centre >= lowHertz && centre <= highHertz) {
            // Widened to where the curve is back near its neighbourhood.
            int low = first;
            while (low > 0 && around.median[low - 1] - curve.db[low - 1] > kFillEdgeDb) {
                --low;
            }
            int high = last;
            while (high + 1 < count && around.median[high + 1] - curve.db[high + 1] > kFillEdgeDb) {
                ++high;
            }
            nulls.push_back({curve.HertzAt(low), curve.HertzAt(high), centre, depth});
        }
    }
    return nulls;
}

std::vector<double> FillRoomNulls(std::span<const double> hertz, std::span<const double> db,
                                  std::span<const RoomNull> nulls) {
    std::vector<double> filled(db.begin(), db.end());
    if (nulls.empty()) {
        return filled;
    }
    const GridNeighbourhood around = Neighbourhood(hertz, db);
    LogGridCurve median = around.curve;
    median.db = around.median;
    const std::vector<double> neighbourhood = ReadLogGrid(median, hertz);
    for (size_t k = 0; k < hertz.size(); ++k) {
        for (const RoomNull& null : nulls) {
            // Half a grid step of slack, as the null's edges are grid points.
            const double slack = std::exp2(kGridStep / 2.0);
            if (hertz[k] >= null.lowHertz / slack && hertz[k] <= null.highHertz * slack) {
                filled[k] = std::max(filled[k], neighbourhood[k]);
            }
        }
    }
    return filled;
}
