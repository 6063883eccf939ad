// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/graph/GraphInteraction.h"

#include <optional>

#include "app/graph/GraphDrag.h"
#include "model/EQ.h"

namespace {
bool IsCrossover(const CFilter& element) {
    return element.GetType() == ElementType::kHighPass ||
           element.GetType() == ElementType::kLowPass;
}

bool IsDraggingElement(CFilter& element) {
    const CFilter::Interaction& state = element.GetInteraction();
    return state.markerDragging || state.lowerHandleDragging || state.upperHandleDragging;
}

// Hover marks always say what is under the pointer now, so that a press
// grabs that and not something the pointer passed over earlier.
void SetHover(CFilter& element, bool marker, bool lowerHandle, bool upperHandle) {
    CFilter::Interaction& state = element.GetInteraction();
    state.markerHovered = marker;
    state.lowerHandleHovered = lowerHandle;
    state.upperHandleHovered = upperHandle;
}

PixelPoint Centre(const PixelRect& rect) {
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}
}  // namespace

PointerOutcome GraphInteraction::Move(CEQ& chain, const MarkedElements& marks,
                                      const GraphScale& scale, PixelPoint pointer) {
    const int before = current_;
    std::optional<PointerOutcome> outcome;
    if (current_ >= 0) {
        outcome = IsCrossover(chain.GetElement(current_)) ? MoveOverCrossover(chain, scale, pointer)
                                                          : MoveOverBand(chain, scale, pointer);
    }
    if (!outcome) {
        outcome = FindElementUnder(chain, marks, pointer);
    }
    // The current element is the one drawn emphasised; nothing else changes
    // the picture while the pointer merely hovers.
    outcome->redraw = outcome->redraw || current_ != before;
    return *outcome;
}

std::optional<PointerOutcome> GraphInteraction::MoveOverCrossover(CEQ& chain,
                                                                  const GraphScale& scale,
                                                                  PixelPoint pointer) {
    CFilter& filter = chain.GetElement(current_);
    const bool dragging = filter.GetInteraction().markerDragging != 0;
    const bool overMarker = Contains(filter.GetMarkerRect(), pointer);
    if (!dragging && !overMarker) {
        SetHover(filter, false, false, false);
        current_ = -1;
        pointerOver_ = false;
        return std::nullopt;
    }
    pointerOver_ = true;
    if (!dragging) {
        // Marked again on every hover, so that a filter just released can be
        // grabbed again without first leaving its marker.
        SetHover(filter, true, false, false);
        return PointerOutcome{};
    }
    const bool highPass = filter.GetType() == ElementType::kHighPass;
    const int partner =
        highPass ? chain.GetLowPass().GetFrequency() : chain.GetHighPass().GetFrequency();
    const bool changed = DragCrossover(filter, partner, scale, pointer.x);
    return PointerOutcome{changed, changed};
}

std::optional<PointerOutcome> GraphInteraction::MoveOverBand(CEQ& chain, const GraphScale& scale,
                                                             PixelPoint pointer) {
    CFilter& band = chain.GetElement(current_);
    CFilter::Interaction& state = band.GetInteraction();
    if (state.markerDragging) {
        const bool changed = DragBandMarker(band, scale, pointer, state.dragAnchor);
        return PointerOutcome{changed, changed};
    }
    if (Contains(band.GetMarkerRect(), pointer)) {
        SetHover(band, true, false, false);
        pointerOver_ = true;
        return PointerOutcome{};
    }
    if (state.lowerHandleDragging || state.upperHandleDragging) {
        const BandwidthHandle handle =
            state.lowerHandleDragging ? BandwidthHandle::Lower : BandwidthHandle::Upper;
        const bool changed = DragBandwidthHandle(band, scale, pointer.x, handle);
        return PointerOutcome{changed, changed};
    }
    // Shelves keep empty handle rectangles, which contain no point.
    const bool overLower = Contains(band.GetLowerHandleRect(), pointer);
    const bool overUpper = !overLower && Contains(band.GetUpperHandleRect(), pointer);
    if (overLower || overUpper) {
        SetHover(band, false, overLower, overUpper);
        pointerOver_ = true;
        return PointerOutcome{};
    }
    return std::nullopt;
}

PointerOutcome GraphInteraction::FindElementUnder(CEQ& chain, const MarkedElements& marks,
                                                  PixelPoint pointer) {
    const int found = FindMarkedElementAt(chain, marks, pointer);
    if (found < 0) {
        if (current_ >= 0) {
            SetHover(chain.GetElement(current_), false, false, false);
        }
        pointerOver_ = false;
        return {};
    }
    MakeCurrent(chain, found);
    SetHover(chain.GetElement(found), true, false, false);
    pointerOver_ = true;
    return {};
}

void GraphInteraction::MakeCurrent(CEQ& chain, int index) {
    if (current_ >= 0 && current_ != index && current_ < chain.GetCount()) {
        SetHover(chain.GetElement(current_), false, false, false);
    }
    current_ = index;
}

bool GraphInteraction::Press(CEQ& chain, PixelPoint pointer) {
    if (!pointerOver_ || current_ < 0) {
        return false;
    }
    CFilter& element = chain.GetElement(current_);
    CFilter::Interaction& state = element.GetInteraction();
    if (state.markerHovered) {
        state.markerDragging = 1;
        const PixelPoint centre = Centre(element.GetMarkerRect());
        state.dragAnchor = {pointer.x - centre.x, pointer.y - centre.y};
        return true;
    }
    if (element.GetType() != ElementType::kPeaking) {
        return false;
    }
    if (state.lowerHandleHovered) {
        state.lowerHandleDragging = 1;
        return true;
    }
    if (state.upperHandleHovered) {
        state.upperHandleDragging = 1;
        return true;
    }
    return false;
}

void GraphInteraction::Release(CEQ& chain) {
    if (current_ >= 0) {
        chain.GetElement(current_).GetInteraction() = CFilter::Interaction{};
    }
    pointerOver_ = false;
}

void GraphInteraction::Clear(CEQ* chain) {
    if (chain != nullptr && current_ >= 0 && current_ < chain->GetCount()) {
        chain->GetElement(current_).GetInteraction() = CFilter::Interaction{};
    }
    current_ = -1;
    pointerOver_ = false;
}

bool GraphInteraction::IsDragging(CEQ& chain) const {
    return current_ >= 0 && IsDraggingElement(chain.GetElement(current_));
}
