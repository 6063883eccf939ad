// SPDX-License-Identifier: GPL-3.0-or-later
// Where the graph writes each marker's number. A marker is a handle the size
// of its hit area with its number inside. Markers are stacked in chain order,
// the first on top, because the pointer finds the first one; a marker that
// lies under another cannot show its number inside, so the number goes to a
// tag nearby with a leader to its handle. Tags are placed where they cover no
// handle and no other tag, so no two numbers ever print over each other.
// No drawing and no toolkit types here.
#pragma once

#include <vector>

#include "app/graph/GraphMapping.h"
#include "curves/Geometry.h"

class CEQ;

struct MarkerNumberPlace {
    int element = -1;
    PixelRect handle;  // the marker, where the pointer finds the element
    PixelRect number;  // where its number is written: the handle, a tag, or empty for nowhere
    bool inTag = false;
};

// Marked elements in chain order; numbers kept within `plot`.
std::vector<MarkerNumberPlace> PlaceMarkerNumbers(const CEQ& chain, const MarkedElements& marks,
                                                  const PixelRect& plot);

// The same rule on bare handles, listed top first.
std::vector<MarkerNumberPlace> PlaceMarkerNumbers(const std::vector<PixelRect>& handles,
                                                  const PixelRect& plot);

bool Overlaps(const PixelRect& a, const PixelRect& b);
