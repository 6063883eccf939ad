// SPDX-License-Identifier: GPL-3.0-or-later
// Where things are on the response graph and which of them the pointer may
// find: the plot area inside the control, the grid lines, the elements that
// get a marker for each kind of page, and hit testing against those markers.
// No drawing and no toolkit types here. Everything is in control coordinates,
// the same ones the elements keep their markers in, so a marker can be hit
// tested without converting it.
#pragma once

#include <array>
#include <string>

#include "curves/Geometry.h"
#include "curves/GraphScale.h"

class CEQ;
class CFilter;

inline constexpr int kPlotRightMargin = 10;
inline constexpr int kPlotBottomMargin = 20;

// The kinds of channel a graph shows; the numbers are the ones pages pass in.
namespace GraphMode {
inline constexpr int kInput = 1;
inline constexpr int kOutput = 2;
inline constexpr int kEffect = 7;
}  // namespace GraphMode

// The plot inside a control of the given size; never of negative size.
PixelRect PlotRectForClient(int clientWidth, int clientHeight);

// 20, 30 .. 100, 200 .. 1000, 2000 .. 10000 Hz.
inline constexpr int kGridLineCount = 27;
std::array<int, kGridLineCount> GridLineFrequencies();
// Each grid frequency's x in control coordinates.
std::array<int, kGridLineCount> GridLineX(const GraphScale& scale);

// Which elements of the shown chain get a marker: pages hide the bands they
// cannot edit, and only the microphone among the inputs shows its crossover.
class MarkedElements {
  public:
    MarkedElements(int mode, int channel) : mode_(mode), channel_(channel) {}
    bool IsMarked(const CEQ& chain, int index) const;

  private:
    int mode_;
    int channel_;
};

bool Contains(const PixelRect& rect, PixelPoint point);

// The first marked element, in chain order, whose marker holds `point`; -1 if none.
int FindMarkedElementAt(const CEQ& chain, const MarkedElements& marks, PixelPoint point);

// "H", "L", or the band's position in the chain counted from 1.
std::string MarkerText(const CFilter& element, int index);
