// SPDX-License-Identifier: GPL-3.0-or-later
#include "roomeq/FitError.h"

#include <algorithm>
#include <cmath>
#include <numeric>

std::vector<double> OctaveWeights(std::span<const double> hertz) {
    const size_t count = hertz.size();
    std::vector<double> weights(count, 1.0);
    if (count >= 2) {
        for (size_t i = 0; i < count; ++i) {
            const double below = std::log2(hertz[i > 0 ? i - 1 : i]);
            const double above = std::log2(hertz[i + 1 < count ? i + 1 : i]);
            weights[i] = std::max(above - below, 1e-12) / 2.0;
        }
    }
    const double total = std::accumulate(weights.begin(), weights.end(), 0.0);
    for (double& w : weights) {
        w /= total;
    }
    return weights;
}

std::vector<double> EqualWeights(size_t count) {
    return std::vector<double>(count, count == 0 ? 0.0 : 1.0 / static_cast<double>(count));
}

ErrorFigures MeasureError(std::span<const double> residual, std::span<const double> weights) {
    double mean = 0.0;
    double total = 0.0;
    for (size_t i = 0; i < residual.size(); ++i) {
        mean += weights[i] * residual[i];
        total += weights[i];
    }
    if (total <= 0.0) {
        return {};
    }
    mean /= total;
    ErrorFigures figures;
    double square = 0.0;
    for (size_t i = 0; i < residual.size(); ++i) {
        const double d = residual[i] - mean;
        square += weights[i] * d * d;
        // A point of no weight is outside what is judged.
        if (weights[i] > 0.0) {
            figures.maxAbsDb = std::max(figures.maxAbsDb, std::abs(d));
        }
    }
    figures.rmsDb = std::sqrt(square / total);
    return figures;
}
