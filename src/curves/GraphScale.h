// SPDX-License-Identifier: GPL-3.0-or-later
// Conversions between decibels / hertz and the pixels of a W x H plot area:
// +10 dB at the top to -20 dB at the bottom, three decades from 20 Hz across.
// The graph, the channel curves and the element geometry all use this one
// scale. Integer results truncate towards zero, and values from files or the
// device that would not fit a pixel are clamped rather than converted blindly.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

// Curves are drawn this far right of and below their plot position.
inline constexpr int kPlotLeftMargin = 35;
inline constexpr int kPlotTopMargin = 10;

inline constexpr double kPlotTopDb = 10.0;
inline constexpr double kPlotBottomDb = -20.0;
inline constexpr double kPlotLowestHertz = 20.0;
inline constexpr double kPlotHighestHertz = 20000.0;

// No pixel position lies beyond a million pixels from the plot.
inline constexpr double kPixelLimit = 1.0e6;

// Truncates towards zero; NaN becomes 0 and anything beyond the limit is clamped.
inline int TruncateToPixel(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    return static_cast<int>(std::clamp(value, -kPixelLimit, kPixelLimit));
}

// The same result as TruncateToPixel for every input, NaN included, written
// with selects only: loops over the whole grid call it, and only branch-free
// code runs as vector instructions.
inline int32_t TruncateToPixelBranchless(double value) {
    const double clamped = value >= -kPixelLimit ? (value <= kPixelLimit ? value : kPixelLimit)
                                                 : (value < -kPixelLimit ? -kPixelLimit : 0.0);
    return static_cast<int32_t>(clamped);
}

class GraphScale {
  public:
    GraphScale(int width, int height) : width_(width), height_(height), decadeWidth_(width / 3) {}

    int Width() const { return width_; }
    int Height() const { return height_; }

    // Inline: every curve point of every recalculation goes through these.
    int DbToY(double db) const { return TruncateToPixel(DbToYF(db) + 0.5); }
    double DbToYF(double db) const { return PixelsPerDb() * (kPlotTopDb - db); }
    double PixelsPerDb() const { return height_ / (kPlotTopDb - kPlotBottomDb); }
    int FrequencyToX(double hertz) const;

    // Pointer positions back to values: a whole decibel, and hertz limited to 20..20000.
    int YToDb(int y) const;
    double XToFrequency(int x) const;

  private:
    int width_;
    int height_;
    int decadeWidth_;
};
