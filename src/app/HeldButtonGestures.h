// SPDX-License-Identifier: GPL-3.0-or-later
// Holding a repeating button (a spin arrow) makes one edit per repeat; for
// undo they are one gesture, from the mouse press to its release, like a
// drag on a slider.
//
// The constraint: the button still clicks once more as it is released, so
// the gesture ends only after the button has handled the release.
#pragma once

#include <QObject>

class QAbstractButton;

class HeldButtonGestures : public QObject {
    Q_OBJECT
  public:
    explicit HeldButtonGestures(QObject* parent = nullptr) : QObject(parent) {}

    void Watch(QAbstractButton* button);

  signals:
    void Started();
    void Finished();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
