// SPDX-License-Identifier: GPL-3.0-or-later
// Where the response graph draws an element: its drag marker, its label box,
// its bandwidth handles and its polyline, and the polylines of a chain's sum.
// All rectangles and points are in the graph control's coordinates, that is
// plot positions moved by the plot margins, because that is what the graph
// hit-tests against.
#pragma once

#include <array>

#include "curves/FrequencyGrid.h"
#include "curves/Geometry.h"
#include "curves/GraphScale.h"

inline constexpr int kMarkerSize = 16;
inline constexpr int kHandleSize = 8;

// Marker of a band; `shownGain` is 0 dB while the band is bypassed.
PixelRect BandMarkerRect(const GraphScale& scale, int frequency, double shownGain);
// `isShelf` picks the shorter label of a shelf (no bandwidth part).
PixelRect BandLabelRect(const GraphScale& scale, const PixelRect& marker, bool isShelf);

struct BandwidthHandles {
    PixelRect lower;
    PixelRect upper;
};
BandwidthHandles BandwidthHandleRects(const GraphScale& scale, const PixelRect& marker,
                                      int frequency, double gain, double bandwidthOctaves);

// Marker and label of a crossover filter; the high-pass sits at -15 dB, the low-pass at -17 dB.
PixelRect CrossoverMarkerRect(const GraphScale& scale, int frequency, bool highPass);
PixelRect CrossoverLabelRect(const GraphScale& scale, const PixelRect& marker, bool highPass);

// An element's drawn polygon: the 0 dB line's ends around one point per grid
// frequency. The x positions depend only on the plot size, so they are placed
// once per layout and a recalculation only moves the heights.
inline constexpr int kElementCurvePointCount = kGridPointCount + 2;
using ElementCurve = std::array<PixelPoint, kElementCurvePointCount>;
void PlaceElementCurveX(const GraphScale& scale, ElementCurve& curve);
void FillElementCurveY(const GraphScale& scale, const std::array<double, kGridPointCount>& response,
                       ElementCurve& curve);

// A chain's summed curve, in whole and in fractional pixels; x as above.
using SumCurve = std::array<PixelPoint, kGridPointCount>;
using SumCurveF = std::array<PixelPointF, kGridPointCount>;
void PlaceSumCurvesX(const GraphScale& scale, SumCurve& curve, SumCurveF& curveF);
void FillSumCurvesY(const GraphScale& scale, const std::array<double, kGridPointCount>& sumDb,
                    SumCurve& curve, SumCurveF& curveF);
