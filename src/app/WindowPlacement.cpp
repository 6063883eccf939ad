// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/WindowPlacement.h"

#include <algorithm>

QRect FirstWindowGeometry(QSize usual, QRect available) {
    if (available.isEmpty()) {
        return {QPoint(0, 0), usual};
    }
    const QSize size(std::min(usual.width(), available.width()),
                     std::min(usual.height(), available.height()));
    return {available.topLeft(), size};
}
