// SPDX-License-Identifier: GPL-3.0-or-later
// Widget tests need a QApplication; gtest_main owns main(), so it is made on
// first use, or the one another test already made is reused. Also plain
// mouse events sent straight to a widget, so tests need neither a window
// system nor the real pointer.
#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

inline QApplication& WidgetTestApp() {
    static int argc = 1;
    static char name[] = "test_app";
    static char* argv[] = {name, nullptr};
    static auto* app = qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr
                           ? qobject_cast<QApplication*>(QCoreApplication::instance())
                           : new QApplication(argc, argv);
    return *app;
}

inline void SendMouse(QWidget& widget, QEvent::Type type, QPoint at, Qt::MouseButton button,
                      Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(at), widget.mapToGlobal(QPointF(at)), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

inline void MovePointer(QWidget& widget, QPoint at, Qt::MouseButtons held = Qt::NoButton) {
    SendMouse(widget, QEvent::MouseMove, at, Qt::NoButton, held);
}

inline void PressPointer(QWidget& widget, QPoint at) {
    SendMouse(widget, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
}

inline void ReleasePointer(QWidget& widget, QPoint at) {
    SendMouse(widget, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
}

// Hovers `from`, presses, moves to `to` and releases there.
inline void DragPointer(QWidget& widget, QPoint from, QPoint to) {
    MovePointer(widget, from);
    PressPointer(widget, from);
    MovePointer(widget, to, Qt::LeftButton);
    ReleasePointer(widget, to);
}
