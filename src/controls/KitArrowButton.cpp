// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/KitArrowButton.h"

#include <QPainter>

#include "controls/KitPalette.h"

KitArrowButton::KitArrowButton(Direction direction, QWidget* parent)
    : QAbstractButton(parent), direction_(direction) {
    setAttribute(Qt::WA_Hover);
    setAutoRepeat(true);
    setFocusPolicy(Qt::NoFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
}

QSize KitArrowButton::sizeHint() const {
    const int side = fontMetrics().height();
    return {side + 2, side / 2 + 3};
}

QSize KitArrowButton::minimumSizeHint() const {
    return sizeHint();
}

void KitArrowButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF body = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const bool hovered = underMouse() && isEnabled();
    painter.setPen(QPen(hovered ? KitPalette::Accent() : KitPalette::Border(), 1.0));
    painter.setBrush(isDown() ? KitPalette::Accent()
                              : (hovered ? KitPalette::FaceHover() : KitPalette::Face()));
    painter.drawRoundedRect(body, 2.0, 2.0);
    const double halfWidth = std::min(body.width() * 0.28, body.height() * 0.5);
    const double halfHeight = std::min(body.height() * 0.28, halfWidth * 0.7);
    const QPointF centre = body.center();
    const double tip = direction_ == Direction::Up ? -halfHeight : halfHeight;
    const QPointF triangle[] = {{centre.x() - halfWidth, centre.y() - tip},
                                {centre.x() + halfWidth, centre.y() - tip},
                                {centre.x(), centre.y() + tip}};
    painter.setPen(Qt::NoPen);
    QColor ink = isDown() ? KitPalette::TextOnAccent() : KitPalette::AccentDark();
    if (!isEnabled()) {
        ink = KitPalette::TextDisabled();
    }
    painter.setBrush(ink);
    painter.drawPolygon(triangle, 3);
}
