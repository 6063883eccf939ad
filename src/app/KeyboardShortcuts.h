// SPDX-License-Identifier: GPL-3.0-or-later
// The keys of the editor's commands, in one place: the view binds them, and
// the tooltips and menus that name a command name its key, so what the user
// reads is always what the keyboard does.
#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>

namespace Shortcut {
// Ctrl+1 .. Ctrl+9 and Ctrl+0 for the ten pages, in the order of the page buttons.
QKeySequence ForPage(int page);
inline QKeySequence NextPage() {
    return QKeySequence(Qt::CTRL | Qt::Key_PageDown);
}
inline QKeySequence PreviousPage() {
    return QKeySequence(Qt::CTRL | Qt::Key_PageUp);
}
inline QKeySequence OpenFile() {
    return QKeySequence(Qt::CTRL | Qt::Key_O);
}
inline QKeySequence SaveFile() {
    return QKeySequence(Qt::CTRL | Qt::Key_S);
}
inline QKeySequence Connection() {
    return QKeySequence(Qt::CTRL | Qt::Key_L);
}
inline QKeySequence CallPreset() {
    return QKeySequence(Qt::CTRL | Qt::Key_R);
}
inline QKeySequence SavePreset() {
    return QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S);
}
inline QKeySequence Setup() {
    return QKeySequence(Qt::CTRL | Qt::Key_Comma);
}
inline QKeySequence Help() {
    return QKeySequence(Qt::Key_F1);
}
// The Edit menu's: undo, redo (either key) and the A/B switch.
inline QKeySequence Undo() {
    return QKeySequence(Qt::CTRL | Qt::Key_Z);
}
inline QList<QKeySequence> Redo() {
    return {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)};
}
inline QKeySequence CompareSwitch() {
    return QKeySequence(Qt::Key_F6);
}
// Opens the menu bar's first menu, as on the desktops the editor's users know.
inline QKeySequence MenuBar() {
    return QKeySequence(Qt::Key_F10);
}
}  // namespace Shortcut

// "Open (Ctrl+O)": a command's name with the key it answers to, for its tooltip.
QString WithShortcut(const QString& name, const QKeySequence& keys);
