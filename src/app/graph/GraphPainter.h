// SPDX-License-Identifier: GPL-3.0-or-later
// Paints the response graph: the cached frame, then the emphasised element's
// filled curve with the grid lines redrawn over it, the channel's summed
// curve, the "All Bypass" text, the markers as numbered handles, the current
// band's bandwidth handles and the emphasised element's value text.
// Everything drawn comes from the model's own geometry and curves; nothing
// is recomputed here, and nothing the size alone decides is drawn twice.
#pragma once

#include <QImage>

#include "app/graph/GraphFrame.h"
#include "app/graph/GraphMapping.h"
#include "curves/BilingualText.h"
#include "curves/Geometry.h"

class QPainter;
class CEQ;
class GraphChannel;

inline constexpr BilingualText kAllBypassText{"All Bypass", "总旁路"};

// One picture's worth of state.
struct GraphScene {
    const GraphChannel* channel = nullptr;  // nothing but the frame without one
    MarkedElements marks{0, 0};
    int emphasised = -1;  // element filled and labelled, or -1 for none
    int current = -1;     // element whose handles are shown, or -1
    Language language = Language::Chinese;
};

class GraphPainter {
  public:
    void Paint(QPainter& painter, QSize client, const GraphScene& scene);

    // The frame as last painted, for checking where its labels stand.
    const GraphFrame& Frame() const { return frame_; }

  private:
    const QImage& AllBypassPicture(Language language);

    GraphFrame frame_;
    QImage allBypass_;
    Language allBypassLanguage_ = Language::Chinese;
};
