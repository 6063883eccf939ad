// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/FocusedButton.h"

#include <QAbstractButton>

bool PressFocusedButton(const QWidget& window) {
    auto* button = qobject_cast<QAbstractButton*>(window.focusWidget());
    if (button == nullptr || !button->isEnabled()) {
        return false;
    }
    button->click();
    return true;
}
