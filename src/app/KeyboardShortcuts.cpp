// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/KeyboardShortcuts.h"

#include "app/AppState.h"

QKeySequence Shortcut::ForPage(int page) {
    // The tenth page takes the 0 that ends the row of digit keys.
    const int digit = (page + 1) % kPageCount;
    return QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_0 + digit));
}

QString WithShortcut(const QString& name, const QKeySequence& keys) {
    return name + QStringLiteral(" (") + keys.toString(QKeySequence::NativeText) +
           QStringLiteral(")");
}
