// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/KitSlider.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>

#include "controls/KitPainting.h"
#include "controls/KitPalette.h"

namespace {
constexpr double kGrooveHeight = 5.0;
}  // namespace

KitSlider::KitSlider(QWidget* parent) : QSlider(Qt::Horizontal, parent) {
    setAttribute(Qt::WA_Hover);
    setFocusPolicy(Qt::StrongFocus);
}

QSize KitSlider::sizeHint() const {
    return {120, fontMetrics().height() + 8};
}

QSize KitSlider::minimumSizeHint() const {
    return {60, fontMetrics().height() + 8};
}

void KitSlider::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // The style's handle rectangle is where a press grabs the handle, so the
    // painted handle is put exactly there.
    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRect handle =
        style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    const double middle = height() / 2.0;
    const double side = std::min<double>(height() - 4, handle.width() + 6);
    const double centreX = handle.center().x() + 0.5;
    const QRectF groove(side / 2, middle - kGrooveHeight / 2, width() - side, kGrooveHeight);
    painter.setPen(QPen(KitPalette::Border(), 1.0));
    painter.setBrush(KitPalette::Face());
    painter.drawRoundedRect(groove, kGrooveHeight / 2, kGrooveHeight / 2);
    const QRectF filled(groove.left(), groove.top(), centreX - groove.left(), groove.height());
    painter.setPen(Qt::NoPen);
    painter.setBrush(isEnabled() ? KitPalette::Accent() : KitPalette::TextDisabled());
    painter.drawRoundedRect(filled, kGrooveHeight / 2, kGrooveHeight / 2);

    const QRectF knob(centreX - side / 2, middle - side / 2, side, side);
    const bool active = isSliderDown() || (underMouse() && isEnabled());
    painter.setPen(QPen(active ? KitPalette::Accent() : KitPalette::Border(), 1.2));
    painter.setBrush(isSliderDown() ? KitPalette::FaceHover() : KitPalette::Face());
    painter.drawEllipse(knob);
    painter.setPen(Qt::NoPen);
    painter.setBrush(isEnabled() ? KitPalette::Accent() : KitPalette::TextDisabled());
    painter.drawEllipse(knob.center(), side / 5, side / 5);
    if (hasFocus()) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(KitPalette::Focus(), KitPalette::kFocusWidth));
        painter.drawEllipse(knob.adjusted(-1, -1, 1, 1));
    }
}
