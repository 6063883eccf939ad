// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/graph/GraphAxes.h"

#include <algorithm>

namespace {
constexpr std::array<std::pair<std::string_view, double>, kFrequencyLabelCount> kFrequencies = {{
    {"20", 20},
    {"50", 50},
    {"100", 100},
    {"200", 200},
    {"500", 500},
    {"1K", 1000},
    {"2K", 2000},
    {"5K", 5000},
    {"10K", 10000},
    {"20K", 20000},
}};
constexpr std::array<std::pair<std::string_view, double>, kDecibelLabelCount> kDecibels = {{
    {"+10", 10},
    {"+5", 5},
    {"0dB", 0},
    {"-5", -5},
    {"-10", -10},
    {"-15", -15},
    {"-20", -20},
}};
constexpr double kLineStepDb = 2.5;
}  // namespace

std::array<AxisLabel, kFrequencyLabelCount> FrequencyAxisLabels(const GraphScale& scale) {
    std::array<AxisLabel, kFrequencyLabelCount> labels{};
    for (size_t i = 0; i < labels.size(); ++i) {
        const auto& [text, hertz] = kFrequencies.at(i);
        labels.at(i) = {text, hertz, scale.FrequencyToX(hertz) + kPlotLeftMargin};
    }
    return labels;
}

std::array<AxisLabel, kDecibelLabelCount> DecibelAxisLabels(const GraphScale& scale) {
    std::array<AxisLabel, kDecibelLabelCount> labels{};
    for (size_t i = 0; i < labels.size(); ++i) {
        const auto& [text, db] = kDecibels.at(i);
        labels.at(i) = {text, db, scale.DbToY(db) + kPlotTopMargin};
    }
    return labels;
}

std::array<int, kDecibelLineCount> DecibelLineY(const GraphScale& scale) {
    std::array<int, kDecibelLineCount> lines{};
    for (size_t k = 0; k < lines.size(); ++k) {
        const double db = kPlotTopDb - kLineStepDb * static_cast<double>(k + 1);
        lines.at(k) = scale.DbToY(db) + kPlotTopMargin;
    }
    return lines;
}

int CentredLabelStart(int anchor, int textWidth, int lowest, int highest) {
    const int start = anchor - textWidth / 2;
    return std::max(lowest, std::min(start, highest - textWidth));
}
