// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/KitButton.h"

#include <QPainter>
#include <QPainterPath>

#include "controls/KitPainting.h"
#include "controls/KitPalette.h"

namespace {
QMargins TextPadding(KitButton::Look look) {
    switch (look) {
        case KitButton::Look::Small:
            return {6, 3, 6, 3};
        case KitButton::Look::Page:
            return {12, 6, 12, 6};
        case KitButton::Look::Block:
            return {8, 4, 8, 4};
        case KitButton::Look::Command:
            break;
    }
    return {10, 5, 10, 5};
}
}  // namespace

KitButton::KitButton(Look look, QWidget* parent) : QAbstractButton(parent), look_(look) {
    setAttribute(Qt::WA_Hover);
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
    if (look_ == Look::Page) {
        SetShowsChoice(true);
    }
}

KitButton::KitButton(const QString& text, Look look, QWidget* parent) : KitButton(look, parent) {
    setText(text);
}

void KitButton::SetShowsChoice(bool showsChoice) {
    setCheckable(showsChoice);
}

QSize KitButton::sizeHint() const {
    const QMargins padding = TextPadding(look_);
    const QSize caption = KitTextSize(font(), text());
    return {caption.width() + padding.left() + padding.right(),
            caption.height() + padding.top() + padding.bottom()};
}

QSize KitButton::minimumSizeHint() const {
    return sizeHint();
}

void KitButton::nextCheckState() {
    // The owner shows which choice is current; a click only asks for it.
}

void KitButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const bool sunken = isDown() || isChecked();
    const bool hovered = underMouse() && isEnabled();
    QColor face = KitPalette::Face();
    QColor text = KitPalette::Text();
    QColor border = KitPalette::Border();
    if (!isEnabled()) {
        face = KitPalette::FaceDisabled();
        text = KitPalette::TextDisabled();
    } else if (sunken) {
        face = isDown() ? KitPalette::AccentDark() : KitPalette::Accent();
        text = KitPalette::TextOnAccent();
        border = KitPalette::AccentDark();
    } else if (hovered) {
        face = KitPalette::FaceHover();
        border = KitPalette::Accent();
    }
    const QRectF body = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    PaintKitFace(painter, body, face, border, sunken);
    if (look_ == Look::Page && isChecked()) {
        // A bar under the caption marks the shown page in shape as well as colour.
        const QRectF bar(body.left() + 6, body.bottom() - 4, body.width() - 12, 2.5);
        painter.fillRect(bar, KitPalette::TextOnAccent());
    }
    QFont font = painter.font();
    font.setBold(look_ == Look::Page && isChecked());
    painter.setFont(font);
    painter.setPen(text);
    const QPoint shift = sunken ? QPoint(0, 1) : QPoint(0, 0);
    painter.drawText(rect().translated(shift), Qt::AlignCenter, this->text());
    if (hasFocus()) {
        PaintKitFocus(painter, body);
    }
}
