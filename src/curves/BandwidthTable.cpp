// SPDX-License-Identifier: GPL-3.0-or-later
#include "curves/BandwidthTable.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {
std::array<double, kBandwidthIndexCount> BuildQTable() {
    std::array<double, kBandwidthIndexCount> table{};
    for (int i = 0; i < kBandwidthIndexCount; ++i) {
        double octaves = (i + 1) / 100.0;
        double q = std::pow(2.0, octaves / 2.0) / (std::pow(2.0, octaves) - 1.0);
        table[i] = std::round(q * 1000.0) / 1000.0;
    }
    // The formula gives 144.27 here; the device's table shows one decimal.
    table[0] = 144.3;
    return table;
}
}  // namespace

double BandwidthIndexToQ(int index) {
    static const std::array<double, kBandwidthIndexCount> table = BuildQTable();
    // Indices come from files and the device too, so an out-of-range one shows the nearest entry.
    return table[std::clamp(index, 0, kBandwidthIndexCount - 1)];
}
