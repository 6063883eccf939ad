// SPDX-License-Identifier: GPL-3.0-or-later
// The pointer on the response graph: which element is current, whether the
// pointer is over something it can grab, and what a press, a move or a
// release does to the chain. It keeps its hover and drag marks in each
// element's interaction record. It knows nothing of widgets, timers or
// locks; the caller holds the queue lock around every call that may change
// an element, because the sender reads the same elements from another thread.
#pragma once

#include <optional>

#include "app/graph/GraphMapping.h"
#include "curves/Geometry.h"
#include "curves/GraphScale.h"

class CEQ;

// What the caller must do after a pointer event.
struct PointerOutcome {
    bool redraw = false;          // the emphasised element or a drawn value changed
    bool elementChanged = false;  // a drag step wrote new values: tell the page
};

class GraphInteraction {
  public:
    PointerOutcome Move(CEQ& chain, const MarkedElements& marks, const GraphScale& scale,
                        PixelPoint pointer);
    // True when a drag started.
    bool Press(CEQ& chain, PixelPoint pointer);
    void Release(CEQ& chain);
    // Forgets the current element, for example when another channel is shown.
    void Clear(CEQ* chain);

    int CurrentElement() const { return current_; }
    bool IsPointerOver() const { return pointerOver_; }
    bool IsDragging(CEQ& chain) const;

  private:
    // What the current element does with the pointer; nothing when the
    // pointer has left it and another element may be looked for.
    std::optional<PointerOutcome> MoveOverCrossover(CEQ& chain, const GraphScale& scale,
                                                    PixelPoint pointer);
    std::optional<PointerOutcome> MoveOverBand(CEQ& chain, const GraphScale& scale,
                                               PixelPoint pointer);
    PointerOutcome FindElementUnder(CEQ& chain, const MarkedElements& marks, PixelPoint pointer);
    void MakeCurrent(CEQ& chain, int index);

    int current_ = -1;
    bool pointerOver_ = false;
};
