// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/KitSwitch.h"

#include <QPainter>
#include <algorithm>

#include "controls/KitPainting.h"
#include "controls/KitPalette.h"

namespace {
constexpr int kPadding = 4;
constexpr int kCaptionGap = 8;
constexpr int kKnobMargin = 3;
}  // namespace

KitSwitch::KitSwitch(QWidget* parent) : QAbstractButton(parent), onColour_(KitPalette::On()) {
    setCheckable(true);
    setAttribute(Qt::WA_Hover);
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void KitSwitch::SetStateTexts(const QString& on, const QString& off) {
    onText_ = on;
    offText_ = off;
    updateGeometry();
    update();
}

void KitSwitch::SetOnColour(const QColor& colour) {
    onColour_ = colour;
    update();
}

int KitSwitch::TrackWidth() const {
    const int word =
        std::max(KitTextSize(font(), onText_).width(), KitTextSize(font(), offText_).width());
    const int knob = fontMetrics().height();
    return word + knob + 4 * kPadding;
}

QSize KitSwitch::sizeHint() const {
    const int height = fontMetrics().height() + 2 * kPadding + 2;
    int width = TrackWidth();
    if (!text().isEmpty()) {
        width += KitTextSize(font(), text()).width() + kCaptionGap;
    }
    return {width + 2, height};
}

QSize KitSwitch::minimumSizeHint() const {
    return sizeHint();
}

void KitSwitch::nextCheckState() {
    // The owner sets the state the program holds after the click.
}

QRectF KitSwitch::TrackRect() const {
    const double width = TrackWidth();
    return {rect().right() - width, 1.0, width, rect().height() - 2.0};
}

void KitSwitch::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const bool on = IsOn();
    const QRectF track = TrackRect().adjusted(0.5, 0.5, -0.5, -0.5);
    const double radius = track.height() / 2.0;

    if (!text().isEmpty()) {
        painter.setPen(isEnabled() ? KitPalette::Text() : KitPalette::TextDisabled());
        const QRectF caption(0, 0, track.left() - kCaptionGap, height());
        painter.drawText(caption, Qt::AlignLeft | Qt::AlignVCenter, text());
    }

    QColor fill = on ? onColour_ : KitPalette::Face();
    QColor edge = on ? onColour_.darker(130) : KitPalette::Border();
    if (!isEnabled()) {
        fill = KitPalette::FaceDisabled();
        edge = KitPalette::TextDisabled();
    } else if (underMouse()) {
        edge = KitPalette::Accent();
    }
    painter.setPen(QPen(edge, 1.0));
    painter.setBrush(fill);
    painter.drawRoundedRect(track, radius, radius);

    const double knobSize = track.height() - 2 * kKnobMargin;
    const double knobLeft =
        on ? track.right() - kKnobMargin - knobSize : track.left() + kKnobMargin;
    const QRectF knob(knobLeft, track.top() + kKnobMargin, knobSize, knobSize);
    painter.setPen(QPen(on ? onColour_.darker(150) : KitPalette::Border(), 1.0));
    painter.setBrush(on ? KitPalette::TextOnAccent() : KitPalette::Off());
    painter.drawEllipse(knob);

    QRectF word = track;
    if (on) {
        word.setRight(knob.left());
    } else {
        word.setLeft(knob.right());
    }
    QFont font = painter.font();
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(on ? KitPalette::TextOnAccent() : KitPalette::Text());
    painter.drawText(word, Qt::AlignCenter, StateText());
    if (hasFocus()) {
        PaintKitFocus(painter, track);
    }
}
