// SPDX-License-Identifier: GPL-3.0-or-later
// What one step of a pointer drag does to the element being dragged. Each
// rule writes through the element's setters, so the change is recomputed and
// flagged for sending at once, and reports whether anything changed so the
// graph knows whether to redraw and tell its page. The pointer is taken in
// control coordinates and limited to the plot here: however far the user
// drags, the values stay those at the plot's edge.
#pragma once

#include "curves/Geometry.h"
#include "curves/GraphScale.h"

class CFilter;

// Gains reachable by dragging; the plot shows no more.
inline constexpr int kLowestDragGainDb = -20;
inline constexpr int kHighestDragGainDb = 10;

// Moves a band so that its marker centre sits `grabOffset` away from the
// pointer: frequency across, gain (whole decibels) up and down.
bool DragBandMarker(CFilter& band, const GraphScale& scale, PixelPoint pointer,
                    PixelPoint grabOffset);

enum class BandwidthHandle { Lower, Upper };
// Widens or narrows a peaking band around its frequency.
bool DragBandwidthHandle(CFilter& band, const GraphScale& scale, int pointerX,
                         BandwidthHandle handle);

// Moves a crossover filter's frequency; the high-pass never passes the
// low-pass (`partnerFrequency`) and the reverse. Left of the plot the
// high-pass switches off.
bool DragCrossover(CFilter& filter, int partnerFrequency, const GraphScale& scale, int pointerX);
