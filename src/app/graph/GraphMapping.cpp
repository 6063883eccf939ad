// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/graph/GraphMapping.h"

#include <algorithm>

#include "model/ChannelIndex.h"
#include "model/EQ.h"

namespace {
// The shown bands of the music inputs and of outputs 2 to 5; the pages have no rows for the rest.
constexpr int kInputBandsShown = 13;
constexpr int kNarrowOutputBandsShown = 5;
constexpr int kFirstNarrowOutput = 2;
}  // namespace

PixelRect PlotRectForClient(int clientWidth, int clientHeight) {
    const int right = std::max(clientWidth - kPlotRightMargin, kPlotLeftMargin);
    const int bottom = std::max(clientHeight - kPlotBottomMargin, kPlotTopMargin);
    return {kPlotLeftMargin, kPlotTopMargin, right, bottom};
}

std::array<int, kGridLineCount> GridLineFrequencies() {
    std::array<int, kGridLineCount> frequencies{};
    int index = 0;
    for (int decade = 10; decade <= 1000; decade *= 10) {
        for (int multiple = 2; multiple <= 10; ++multiple) {
            frequencies[index++] = decade * multiple;
        }
    }
    return frequencies;
}

std::array<int, kGridLineCount> GridLineX(const GraphScale& scale) {
    std::array<int, kGridLineCount> positions{};
    const auto frequencies = GridLineFrequencies();
    for (int i = 0; i < kGridLineCount; ++i) {
        positions[i] = scale.FrequencyToX(frequencies[i]) + kPlotLeftMargin;
    }
    return positions;
}

bool MarkedElements::IsMarked(const CEQ& chain, int index) const {
    if (index < 0 || index >= chain.GetCount() || !chain.GetElement(index).IsMarkerVisible()) {
        return false;
    }
    const bool crossover = index >= chain.GetBandCount();
    switch (mode_) {
        case GraphMode::kInput:
            return crossover ? channel_ == InputChannel::kMicrophone : index < kInputBandsShown;
        case GraphMode::kOutput:
            return crossover || channel_ < kFirstNarrowOutput || index < kNarrowOutputBandsShown;
        case GraphMode::kEffect:
            return true;
        default:
            return false;
    }
}

bool Contains(const PixelRect& rect, PixelPoint point) {
    return point.x >= rect.left && point.x < rect.right && point.y >= rect.top &&
           point.y < rect.bottom;
}

int FindMarkedElementAt(const CEQ& chain, const MarkedElements& marks, PixelPoint point) {
    for (int index = 0; index < chain.GetCount(); ++index) {
        if (marks.IsMarked(chain, index) &&
            Contains(chain.GetElement(index).GetMarkerRect(), point)) {
            return index;
        }
    }
    return -1;
}

std::string MarkerText(const CFilter& element, int index) {
    switch (element.GetType()) {
        case ElementType::kHighPass:
            return "H";
        case ElementType::kLowPass:
            return "L";
        default:
            return std::to_string(index + 1);
    }
}
