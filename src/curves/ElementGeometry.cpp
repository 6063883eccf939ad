// SPDX-License-Identifier: GPL-3.0-or-later
#include "curves/ElementGeometry.h"

#include <algorithm>
#include <cmath>

#include "curves/WideVectors.h"

namespace {
constexpr int kHalfMarker = kMarkerSize / 2;
constexpr int kHalfHandle = kHandleSize / 2;
constexpr double kHighPassMarkerDb = -15.0;
constexpr double kLowPassMarkerDb = -17.0;

PixelRect SquareAt(int left, int top, int size) {
    return {left, top, left + size, top + size};
}

PixelRect ToControl(PixelRect plotRect) {
    return {plotRect.left + kPlotLeftMargin, plotRect.top + kPlotTopMargin,
            plotRect.right + kPlotLeftMargin, plotRect.bottom + kPlotTopMargin};
}

PixelRect HandleCentredAt(int x, int y) {
    return {x - kHalfHandle, y - kHalfHandle, x + kHalfHandle, y + kHalfHandle};
}

// A label box to the right of the marker, or flush with the plot's right edge
// when it would not fit.
void PlaceLabelHorizontally(const GraphScale& scale, const PixelRect& marker, int reach,
                            int flushWidth, int extent, PixelRect& label) {
    int plotRight = scale.Width() + kPlotLeftMargin;
    if (plotRight < marker.right + reach) {
        label.left = plotRight - flushWidth;
        label.right = plotRight;
    } else {
        label.left = marker.left;
        label.right = marker.right + extent;
    }
}

// The loop behind an element's fill, built twice (see WideVectors.h); it
// lives in this file's namespace because a function built that way must
// carry the attribute wherever it is declared.
SONAVEL_WIDE_VECTOR_CLONES
void FillElementRows(const GraphScale& scale, const std::array<double, kGridPointCount>& response,
                     ElementCurve& curve) {
    // Rows first into a plain array, so that the conversion runs as vector
    // code; only the copy into the points' y fields is a strided loop.
    std::array<int32_t, kGridPointCount> rows;
    for (int i = 0; i < kGridPointCount; ++i) {
        rows[i] = TruncateToPixelBranchless(scale.DbToYF(response[i]) + 0.5);
    }
    const int zeroY = scale.DbToY(0.0) + kPlotTopMargin;
    curve.front().y = zeroY;
    for (int i = 0; i < kGridPointCount; ++i) {
        curve[i + 1] = {curve[i + 1].x, rows[i] + kPlotTopMargin};
    }
    curve.back().y = zeroY;
}

void FillSumRows(const GraphScale& scale, const std::array<double, kGridPointCount>& sumDb,
                 SumCurve& curve, SumCurveF& curveF) {
    // Short plain loops through scratch arrays, so that each compiles to
    // vector code; only the copies into the points' y fields are strided.
    // Processors with 256-bit vectors draw the sums in one pass instead
    // (ChainSum.cpp), and this is the reference that pass is tested against.
    std::array<double, kGridPointCount> y;
    std::array<int32_t, kGridPointCount> rows;
    for (int i = 0; i < kGridPointCount; ++i) {
        y[i] = scale.DbToYF(sumDb[i]);
        rows[i] = TruncateToPixelBranchless(y[i] + 0.5);
    }
    for (int i = 0; i < kGridPointCount; ++i) {
        // As std::clamp, NaN passing through, written as selects.
        const double v = y[i];
        y[i] = v >= -kPixelLimit ? (v <= kPixelLimit ? v : kPixelLimit)
                                 : (v < -kPixelLimit ? -kPixelLimit : v);
    }
    std::array<float, kGridPointCount> rowsF;
    for (int i = 0; i < kGridPointCount; ++i) {
        rowsF[i] = static_cast<float>(y[i] + kPlotTopMargin);
    }
    // Whole points are written, x read back unchanged, so that the stores
    // are contiguous and these loops run as vector code too.
    for (int i = 0; i < kGridPointCount; ++i) {
        curve[i] = {curve[i].x, rows[i] + kPlotTopMargin};
    }
    for (int i = 0; i < kGridPointCount; ++i) {
        curveF[i] = {curveF[i].x, rowsF[i]};
    }
}
}  // namespace

PixelRect BandMarkerRect(const GraphScale& scale, int frequency, double shownGain) {
    int left = std::max(scale.FrequencyToX(frequency) - kHalfMarker, -kHalfMarker);
    int top = std::max(scale.DbToY(shownGain) - kHalfMarker, 0);
    if (left + kMarkerSize > scale.Width()) {
        left = scale.Width() - kMarkerSize;
    }
    if (top + kMarkerSize >= scale.Height()) {
        top = scale.Height() - kMarkerSize;
    }
    return ToControl(SquareAt(left, top, kMarkerSize));
}

PixelRect BandLabelRect(const GraphScale& scale, const PixelRect& marker, bool isShelf) {
    PixelRect label;
    // Below the marker, unless that would run off the bottom of the plot.
    int shift = marker.bottom >= scale.Height() - 15 ? -25 : 25;
    label.top = marker.top + shift;
    label.bottom = marker.bottom + shift;
    if (isShelf) {
        PlaceLabelHorizontally(scale, marker, 90, 116, 90, label);
    } else {
        PlaceLabelHorizontally(scale, marker, 200, 180, 210, label);
    }
    return label;
}

BandwidthHandles BandwidthHandleRects(const GraphScale& scale, const PixelRect& marker,
                                      int frequency, double gain, double bandwidthOctaves) {
    int centreY = (marker.top + marker.bottom) / 2 + (gain >= 0.0 ? 10 : -10);
    double spread = std::pow(2.0, bandwidthOctaves);
    // The handles sit 10 pixels outside the band edges so they never cover the marker.
    int lowerX = scale.FrequencyToX(frequency / spread) + kPlotLeftMargin - 10;
    int upperX = scale.FrequencyToX(frequency * spread) + kPlotLeftMargin + 10;
    return {HandleCentredAt(lowerX, centreY), HandleCentredAt(upperX, centreY)};
}

PixelRect CrossoverMarkerRect(const GraphScale& scale, int frequency, bool highPass) {
    int left = std::max(scale.FrequencyToX(frequency) - kHalfMarker, -kHalfMarker);
    left = std::min(left, scale.Width() + kHalfMarker - kMarkerSize);
    int top = scale.DbToY(highPass ? kHighPassMarkerDb : kLowPassMarkerDb);
    return ToControl(SquareAt(left, top, kMarkerSize));
}

PixelRect CrossoverLabelRect(const GraphScale& scale, const PixelRect& marker, bool highPass) {
    PixelRect label;
    PlaceLabelHorizontally(scale, marker, 50, 66, 50, label);
    label.top = marker.top + (highPass ? 15 : -15);
    label.bottom = marker.bottom + (highPass ? 25 : 20);
    return label;
}

void PlaceElementCurveX(const GraphScale& scale, ElementCurve& curve) {
    curve.front().x = kPlotLeftMargin;
    for (int i = 0; i < kGridPointCount; ++i) {
        curve[i + 1].x = scale.FrequencyToX(GridFrequencies()[i]) + kPlotLeftMargin;
    }
    curve.back().x = scale.Width() + kPlotLeftMargin;
}

void PlaceSumCurvesX(const GraphScale& scale, SumCurve& curve, SumCurveF& curveF) {
    for (int i = 0; i < kGridPointCount; ++i) {
        curve[i].x = scale.FrequencyToX(GridFrequencies()[i]) + kPlotLeftMargin;
        curveF[i].x = static_cast<float>(curve[i].x);
    }
}

void FillElementCurveY(const GraphScale& scale, const std::array<double, kGridPointCount>& response,
                       ElementCurve& curve) {
    FillElementRows(scale, response, curve);
}

void FillSumCurvesY(const GraphScale& scale, const std::array<double, kGridPointCount>& sumDb,
                    SumCurve& curve, SumCurveF& curveF) {
    FillSumRows(scale, sumDb, curve, curveF);
}
