// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/HeldButtonGestures.h"

#include <QAbstractButton>
#include <QMouseEvent>

void HeldButtonGestures::Watch(QAbstractButton* button) {
    button->installEventFilter(this);
}

bool HeldButtonGestures::eventFilter(QObject* watched, QEvent* event) {
    const bool press = event->type() == QEvent::MouseButtonPress;
    const bool release = event->type() == QEvent::MouseButtonRelease;
    if ((press || release) && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (press) {
            emit Started();
        } else {
            QMetaObject::invokeMethod(this, &HeldButtonGestures::Finished, Qt::QueuedConnection);
        }
    }
    return QObject::eventFilter(watched, event);
}
