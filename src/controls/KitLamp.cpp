// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/KitLamp.h"

#include <QPainter>
#include <algorithm>

#include "controls/KitPalette.h"

KitLamp::KitLamp(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void KitLamp::SetLit(bool lit) {
    if (lit != lit_) {
        lit_ = lit;
        update();
    }
}

QSize KitLamp::sizeHint() const {
    const int side = fontMetrics().height() + 4;
    return {side, side};
}

void KitLamp::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double side = std::min(width(), height()) - 2.0;
    const QRectF disc((width() - side) / 2.0, (height() - side) / 2.0, side, side);
    if (lit_) {
        painter.setPen(QPen(KitPalette::On().darker(140), 1.5));
        painter.setBrush(KitPalette::On());
        painter.drawEllipse(disc);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(255, 255, 255, 150));
        painter.drawEllipse(disc.adjusted(side * 0.22, side * 0.16, -side * 0.42, -side * 0.48));
        return;
    }
    const double ring = std::max(2.0, side / 7.0);
    painter.setPen(QPen(KitPalette::Danger(), ring));
    painter.setBrush(Qt::NoBrush);
    const QRectF inner = disc.adjusted(ring / 2, ring / 2, -ring / 2, -ring / 2);
    painter.drawEllipse(inner);
    painter.drawLine(QLineF(inner.center().x() - side * 0.22, inner.center().y(),
                            inner.center().x() + side * 0.22, inner.center().y()));
}
