// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/KitPainting.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>

#include "controls/KitPalette.h"

void PaintKitFace(QPainter& painter, const QRectF& body, const QColor& face, const QColor& border,
                  bool sunken) {
    QLinearGradient shade(body.topLeft(), body.bottomLeft());
    shade.setColorAt(0.0, sunken ? face.darker(115) : face.lighter(104));
    shade.setColorAt(1.0, sunken ? face : face.darker(106));
    painter.setPen(QPen(border, 1.0));
    painter.setBrush(shade);
    painter.drawRoundedRect(body, KitPalette::kCornerRadius, KitPalette::kCornerRadius);
}

void PaintKitFocus(QPainter& painter, const QRectF& body) {
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(KitPalette::Focus(), KitPalette::kFocusWidth));
    const double inset = KitPalette::kFocusWidth / 2.0;
    painter.drawRoundedRect(body.adjusted(inset, inset, -inset, -inset), KitPalette::kCornerRadius,
                            KitPalette::kCornerRadius);
}

QSize KitTextSize(const QFont& font, const QString& text) {
    QFont bold = font;
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    return {metrics.horizontalAdvance(text), metrics.height()};
}
