// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ReadingOrder.h"

#include <QWidget>
#include <algorithm>
#include <numeric>

namespace {
bool IsTabStop(const QWidget* widget) {
    return (widget->focusPolicy() & Qt::TabFocus) != 0 && widget->isEnabled() &&
           widget->focusProxy() == nullptr;
}

bool IsShownChild(const QWidget* child) {
    return !child->isWindow() && !child->isHidden();
}

bool HoldsTabStops(const QWidget* widget) {
    for (const QWidget* child : widget->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (IsShownChild(child) && (IsTabStop(child) || HoldsTabStops(child))) {
            return true;
        }
    }
    return false;
}

void CollectStops(QWidget* container, std::vector<QWidget*>& stops) {
    std::vector<QWidget*> blocks;
    for (QWidget* child : container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (IsShownChild(child) && (IsTabStop(child) || HoldsTabStops(child))) {
            blocks.push_back(child);
        }
    }
    std::vector<QRect> boxes;
    boxes.reserve(blocks.size());
    for (const QWidget* block : blocks) {
        boxes.push_back(block->geometry());
    }
    for (size_t index : ReadingOrderOf(boxes)) {
        QWidget* block = blocks[index];
        if (IsTabStop(block)) {
            stops.push_back(block);
        } else {
            CollectStops(block, stops);
        }
    }
}
}  // namespace

std::vector<size_t> ReadingOrderOf(const std::vector<QRect>& boxes) {
    std::vector<size_t> byTop(boxes.size());
    std::iota(byTop.begin(), byTop.end(), size_t{0});
    std::stable_sort(byTop.begin(), byTop.end(), [&boxes](size_t a, size_t b) {
        return boxes[a].top() != boxes[b].top() ? boxes[a].top() < boxes[b].top()
                                                : boxes[a].left() < boxes[b].left();
    });
    std::vector<size_t> order;
    order.reserve(boxes.size());
    size_t rowStart = 0;
    while (rowStart < byTop.size()) {
        // The row is the first box left and every box whose middle lies level with it.
        const QRect& first = boxes[byTop[rowStart]];
        size_t rowEnd = rowStart + 1;
        while (rowEnd < byTop.size() && boxes[byTop[rowEnd]].center().y() <= first.bottom()) {
            ++rowEnd;
        }
        std::stable_sort(
            byTop.begin() + static_cast<std::ptrdiff_t>(rowStart),
            byTop.begin() + static_cast<std::ptrdiff_t>(rowEnd),
            [&boxes](size_t a, size_t b) { return boxes[a].left() < boxes[b].left(); });
        order.insert(order.end(), byTop.begin() + static_cast<std::ptrdiff_t>(rowStart),
                     byTop.begin() + static_cast<std::ptrdiff_t>(rowEnd));
        rowStart = rowEnd;
    }
    return order;
}

std::vector<QWidget*> TabStopsInReadingOrder(QWidget* root) {
    std::vector<QWidget*> stops;
    CollectStops(root, stops);
    return stops;
}
