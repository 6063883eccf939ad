// SPDX-License-Identifier: GPL-3.0-or-later
// The order in which Tab visits a window's controls, read off the screen:
// blocks of controls top to bottom, the blocks of one row left to right, and
// each block read the same way inside. The order follows whatever the layout
// does (another language's wider texts, a resized window, a page swapped in)
// because it is taken from the geometry at the moment Tab is pressed, never
// from a list kept by hand.
#pragma once

#include <QRect>
#include <vector>

class QWidget;

// Which of `boxes` come first in reading order: indices into `boxes`. Boxes
// whose vertical middle lies within the first box of a row belong to that
// row, and a row is read left to right.
std::vector<size_t> ReadingOrderOf(const std::vector<QRect>& boxes);

// The controls under `root` that Tab stops at, in reading order: shown,
// enabled and taking the focus by Tab. A control's own parts (a combo box's
// edit field) are not visited separately.
std::vector<QWidget*> TabStopsInReadingOrder(QWidget* root);
