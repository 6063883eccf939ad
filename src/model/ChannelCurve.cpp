// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ChannelCurve.h"

#include "curves/GraphScale.h"
#include "model/EQ.h"

void ChannelCurve::SetPlotRect(const PixelRect& plot, CEQ& chain, double gainShiftDb) {
    plotWidth_ = plot.Width();
    plotHeight_ = plot.Height();
    const GraphScale scale(plotWidth_, plotHeight_);
    const auto& grid = GridFrequencies();
    for (int i = 0; i < kGridPointCount; ++i) {
        points_[i] = {scale.FrequencyToX(grid[i]) + kPlotLeftMargin, plotHeight_ / 2};
    }
    chain.Layout(plot);
    Update(chain, gainShiftDb);
}

void ChannelCurve::Update(CEQ& chain, double gainShiftDb) {
    chain.SumResponse();
    const GraphScale scale(plotWidth_, plotHeight_);
    gainPixelOffset_ = scale.DbToY(gainShiftDb) - scale.DbToY(0.0);
    const auto& sum = chain.GetSumCurve();
    for (int i = 0; i < kGridPointCount; ++i) {
        points_[i] = {sum[i].x, sum[i].y + gainPixelOffset_};
    }
    pointsF_ = chain.GetSumCurveF();
}
