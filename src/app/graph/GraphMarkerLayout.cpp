// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/graph/GraphMarkerLayout.h"

#include <algorithm>
#include <cstdlib>

#include "model/EQ.h"

namespace {
constexpr int kTagGap = 2;
// How many tag steps away from its handle a number may be put.
constexpr int kFarthestStep = 8;

bool Inside(const PixelRect& inner, const PixelRect& outer) {
    return inner.left >= outer.left && inner.right <= outer.right && inner.top >= outer.top &&
           inner.bottom <= outer.bottom;
}

PixelRect Moved(const PixelRect& rect, int dx, int dy) {
    return {rect.left + dx, rect.top + dy, rect.right + dx, rect.bottom + dy};
}

bool IsFree(const PixelRect& candidate, const std::vector<MarkerNumberPlace>& placed,
            const std::vector<PixelRect>& handles) {
    for (const PixelRect& handle : handles) {
        if (Overlaps(candidate, handle)) {
            return false;
        }
    }
    return std::none_of(placed.begin(), placed.end(), [&](const MarkerNumberPlace& place) {
        return Overlaps(candidate, place.number);
    });
}

// Spots around the handle, nearest first: straight above and below, then
// diagonally, then further out.
std::vector<PixelRect> TagCandidates(const PixelRect& handle) {
    const int stepX = handle.Width() + kTagGap;
    const int stepY = handle.Height() + kTagGap;
    std::vector<std::pair<int, PixelRect>> ranked;
    for (int dy = -kFarthestStep; dy <= kFarthestStep; ++dy) {
        for (int dx = -kFarthestStep; dx <= kFarthestStep; ++dx) {
            if (dx == 0 && dy == 0) {
                continue;
            }
            // Vertical steps are cheaper: a tag above its handle reads best.
            const int distance = 2 * std::abs(dx) * std::abs(dx) + dy * dy + (dy > 0 ? 1 : 0);
            ranked.emplace_back(distance, Moved(handle, dx * stepX, dy * stepY));
        }
    }
    std::stable_sort(ranked.begin(), ranked.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<PixelRect> candidates;
    candidates.reserve(ranked.size());
    for (const auto& [distance, rect] : ranked) {
        candidates.push_back(rect);
    }
    return candidates;
}
}  // namespace

bool Overlaps(const PixelRect& a, const PixelRect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

std::vector<MarkerNumberPlace> PlaceMarkerNumbers(const std::vector<PixelRect>& handles,
                                                  const PixelRect& plot) {
    std::vector<MarkerNumberPlace> placed;
    placed.reserve(handles.size());
    for (size_t i = 0; i < handles.size(); ++i) {
        MarkerNumberPlace place;
        place.element = static_cast<int>(i);
        place.handle = handles[i];
        place.number = handles[i];
        const bool covered =
            std::any_of(handles.begin(), handles.begin() + static_cast<long>(i),
                        [&](const PixelRect& above) { return Overlaps(above, handles[i]); });
        const bool numberClashes = std::any_of(
            placed.begin(), placed.end(),
            [&](const MarkerNumberPlace& other) { return Overlaps(other.number, handles[i]); });
        if (covered || numberClashes) {
            // With no free spot the number is left out rather than overprinted.
            place.inTag = true;
            place.number = {};
            for (const PixelRect& candidate : TagCandidates(handles[i])) {
                if (Inside(candidate, plot) && IsFree(candidate, placed, handles)) {
                    place.number = candidate;
                    break;
                }
            }
        }
        placed.push_back(place);
    }
    return placed;
}

std::vector<MarkerNumberPlace> PlaceMarkerNumbers(const CEQ& chain, const MarkedElements& marks,
                                                  const PixelRect& plot) {
    std::vector<PixelRect> handles;
    std::vector<int> elements;
    for (int index = 0; index < chain.GetCount(); ++index) {
        if (marks.IsMarked(chain, index)) {
            handles.push_back(chain.GetElement(index).GetMarkerRect());
            elements.push_back(index);
        }
    }
    std::vector<MarkerNumberPlace> places = PlaceMarkerNumbers(handles, plot);
    for (size_t i = 0; i < places.size(); ++i) {
        places[i].element = elements[i];
    }
    return places;
}
