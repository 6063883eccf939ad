// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/graph/GraphDrag.h"

#include <algorithm>
#include <cmath>

#include "model/Filter.h"

namespace {
constexpr int kShelfFrequencyLimit = 2000;
constexpr double kNarrowestOctaves = 0.01;
constexpr double kWidestOctaves = 3.0;
// The handles sit 10 pixels outside the band edges they stand for.
constexpr int kLowerHandleShift = kPlotLeftMargin - 10;
constexpr int kUpperHandleShift = kPlotLeftMargin + 10;

int FrequencyAt(const GraphScale& scale, int plotX) {
    return static_cast<int>(scale.XToFrequency(plotX));
}

int WithShelfLimits(int type, int frequency) {
    if (type == ElementType::kLowShelf) {
        return std::min(frequency, kShelfFrequencyLimit);
    }
    if (type == ElementType::kHighShelf) {
        return std::max(frequency, kShelfFrequencyLimit);
    }
    return frequency;
}

int GainIndexOfDb(int db) {
    return (db + 20) * 10;
}
}  // namespace

bool DragBandMarker(CFilter& band, const GraphScale& scale, PixelPoint pointer,
                    PixelPoint grabOffset) {
    const int x = std::clamp(pointer.x - grabOffset.x - kPlotLeftMargin, 0, scale.Width());
    const int y = std::clamp(pointer.y - grabOffset.y - kPlotTopMargin, 0, scale.Height());
    const int frequency = WithShelfLimits(band.GetType(), FrequencyAt(scale, x));
    const int db = std::clamp(scale.YToDb(y), kLowestDragGainDb, kHighestDragGainDb);
    const int gainIndex = GainIndexOfDb(db);
    // At the very top the step always counts, so a band already at +10 dB is
    // still written again while it is held there.
    const bool changed =
        frequency != band.GetFrequency() || gainIndex != band.GetGainIndex() || y < 1;
    if (changed) {
        band.SetFrequency(frequency);
        band.SetGainIndex(gainIndex);
    }
    return changed;
}

bool DragBandwidthHandle(CFilter& band, const GraphScale& scale, int pointerX,
                         BandwidthHandle handle) {
    const double frequency = band.GetFrequency();
    double octaves;
    if (handle == BandwidthHandle::Lower) {
        octaves = std::log2(frequency / scale.XToFrequency(pointerX - kLowerHandleShift));
    } else {
        octaves = std::log2(scale.XToFrequency(pointerX - kUpperHandleShift) / frequency);
    }
    // A handle dragged past the band's own frequency gives a negative width.
    if (!std::isfinite(octaves)) {
        octaves = kNarrowestOctaves;
    }
    octaves = std::clamp(octaves, kNarrowestOctaves, kWidestOctaves);
    band.SetBandwidthIndex(static_cast<int>(std::lround(octaves * 100.0)) - 1);
    return true;
}

bool DragCrossover(CFilter& filter, int partnerFrequency, const GraphScale& scale, int pointerX) {
    const bool highPass = filter.GetType() == ElementType::kHighPass;
    const int x = pointerX - kPlotLeftMargin;
    int frequency;
    if (x < 1) {
        frequency = highPass ? static_cast<int>(kPlotLowestHertz) : FrequencyAt(scale, 0);
    } else {
        frequency = FrequencyAt(scale, std::min(x, scale.Width()));
    }
    frequency =
        highPass ? std::min(frequency, partnerFrequency) : std::max(frequency, partnerFrequency);
    if (frequency == filter.GetFrequency()) {
        return false;
    }
    filter.SetFrequency(frequency);
    return true;
}
