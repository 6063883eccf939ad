// SPDX-License-Identifier: GPL-3.0-or-later
// Enter presses the button the keyboard has reached, as Space does; Qt leaves
// Enter to default buttons only, and the editor's buttons are none.
#pragma once

class QWidget;

// Clicks the focused, enabled button of `window`; false when the focus is elsewhere.
bool PressFocusedButton(const QWidget& window);
