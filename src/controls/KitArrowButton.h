// SPDX-License-Identifier: GPL-3.0-or-later
// One spin arrow of the kit: a small painted button with a triangle pointing
// up or down that repeats while held, as a spin control does.
#pragma once

#include <QAbstractButton>

class KitArrowButton : public QAbstractButton {
    Q_OBJECT
  public:
    enum class Direction { Up, Down };
    explicit KitArrowButton(Direction direction, QWidget* parent = nullptr);

    Direction GetDirection() const { return direction_; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    Direction direction_;
};
