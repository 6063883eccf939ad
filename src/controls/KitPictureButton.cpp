// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/KitPictureButton.h"

#include <QPainter>
#include <algorithm>

#include "controls/KitPainting.h"
#include "controls/KitPalette.h"

namespace {
constexpr int kPadding = 5;
}  // namespace

KitPictureButton::KitPictureButton(QWidget* parent) : QAbstractButton(parent) {
    setAttribute(Qt::WA_Hover);
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void KitPictureButton::SetPicture(KitPicture picture, const QString& caption) {
    picture_ = picture;
    setText(caption);
    update();
}

void KitPictureButton::SetWidestCaptions(const QStringList& captions) {
    captions_ = captions;
    updateGeometry();
}

int KitPictureButton::PictureSide() const {
    return fontMetrics().height() * 3 / 2 + 4;
}

QSize KitPictureButton::sizeHint() const {
    int caption = KitTextSize(font(), text()).width();
    for (const QString& other : captions_) {
        caption = std::max(caption, KitTextSize(font(), other).width());
    }
    const int side = PictureSide();
    return {kPadding + side + kPadding + caption + 2 * kPadding, side + 2 * kPadding};
}

QSize KitPictureButton::minimumSizeHint() const {
    return sizeHint();
}

void KitPictureButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const bool sunken = isDown();
    QColor face = sunken ? KitPalette::AccentDark() : KitPalette::Face();
    QColor border = KitPalette::Border();
    if (!sunken && underMouse() && isEnabled()) {
        face = KitPalette::FaceHover();
        border = KitPalette::Accent();
    }
    const QColor ink = sunken ? KitPalette::TextOnAccent() : KitPalette::AccentDark();
    const QRectF body = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    PaintKitFace(painter, body, face, border, sunken);
    const int side = PictureSide();
    const QRectF square(kPadding, (height() - side) / 2.0, side, side);
    PaintKitPicture(painter, picture_, square, ink);
    QFont font = painter.font();
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(sunken ? KitPalette::TextOnAccent() : KitPalette::Text());
    const QRectF caption(square.right() + kPadding, 0, width() - square.right() - 2 * kPadding,
                         height());
    painter.drawText(caption, Qt::AlignCenter, text());
    if (hasFocus()) {
        PaintKitFocus(painter, body);
    }
}
