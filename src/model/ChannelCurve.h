// SPDX-License-Identifier: GPL-3.0-or-later
// The response polyline a channel shows on the graph: its chain's summed
// curve, shifted vertically by the channel's own gain. Inputs, outputs and
// the effect all draw it the same way, so the shift lives here once. The
// shift is a pixel distance on the graph's dB scale, so it must be recomputed
// whenever the plot size changes.
#pragma once

#include <array>

#include "curves/FrequencyGrid.h"
#include "curves/Geometry.h"

class CEQ;

class ChannelCurve {
  public:
    // Stores the plot size, lays the chain out in the rectangle and redraws.
    void SetPlotRect(const PixelRect& plot, CEQ& chain, double gainShiftDb);
    // Redraws from the chain's current summed response.
    void Update(CEQ& chain, double gainShiftDb);

    const std::array<PixelPoint, kGridPointCount>& Points() const { return points_; }
    const std::array<PixelPointF, kGridPointCount>& PointsF() const { return pointsF_; }
    int GetPlotWidth() const { return plotWidth_; }
    int GetPlotHeight() const { return plotHeight_; }
    int GetGainPixelOffset() const { return gainPixelOffset_; }

  private:
    std::array<PixelPoint, kGridPointCount> points_{};
    std::array<PixelPointF, kGridPointCount> pointsF_{};
    int plotWidth_ = 0;
    int plotHeight_ = 0;
    int gainPixelOffset_ = 0;
};
