// SPDX-License-Identifier: GPL-3.0-or-later
// The graph's grid lines and axis labels, placed through the same
// frequency-to-x and decibel-to-y mapping as the curves and markers, so that
// "1K" stands on the 1 kHz line and "-10" beside the -10 dB line at every
// size of the control. No drawing and no toolkit types here; positions are in
// control coordinates.
#pragma once

#include <array>
#include <string_view>

#include "curves/Geometry.h"
#include "curves/GraphScale.h"

struct AxisLabel {
    std::string_view text;
    double value = 0;  // hertz or decibels
    int position = 0;  // x of a frequency label, y of a decibel label
};

inline constexpr int kFrequencyLabelCount = 10;
inline constexpr int kDecibelLabelCount = 7;
inline constexpr int kDecibelLineCount = 12;

// "20", "50", "100" .. "20K" with the x of their frequency.
std::array<AxisLabel, kFrequencyLabelCount> FrequencyAxisLabels(const GraphScale& scale);
// "+10", "+5", "0dB" .. "-20" with the y of their level.
std::array<AxisLabel, kDecibelLabelCount> DecibelAxisLabels(const GraphScale& scale);
// The y of the horizontal lines every 2.5 dB below the top, +7.5 down to -20 dB.
std::array<int, kDecibelLineCount> DecibelLineY(const GraphScale& scale);

// The left edge of a label `textWidth` wide centred on `anchor`, moved
// inwards only as far as needed to stay within `lowest`..`highest`.
int CentredLabelStart(int anchor, int textWidth, int lowest, int highest);
