// SPDX-License-Identifier: GPL-3.0-or-later
// Where the main window first appears: at the top-left corner of the
// screen's available area, at its usual size, but never larger than that
// area, so that at a large scale factor or on a small screen no part of the
// window (the last output button, the volume strip) starts off-screen.
#pragma once

#include <QRect>

QRect FirstWindowGeometry(QSize usual, QRect available);
