// SPDX-License-Identifier: GPL-3.0-or-later
// The kit's horizontal slider: a groove filled with the accent colour up to
// the position and a round handle, drawn without images. It behaves as a
// QSlider (keys, wheel, dragging, page steps); only the look is its own.
#pragma once

#include <QSlider>

class KitSlider : public QSlider {
    Q_OBJECT
  public:
    explicit KitSlider(QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
};
