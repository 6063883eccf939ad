// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/KitPictures.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace {
// Every picture is drawn on a 24 x 24 grid scaled into the square.
constexpr double kGrid = 24.0;

void PaintDisc(QPainter& painter, const QColor& ink) {
    painter.setPen(QPen(ink, 1.8));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QPointF(12, 12), 10, 10);
    painter.setBrush(ink);
    painter.drawEllipse(QPointF(12, 12), 3, 3);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(ink, 1.2));
    painter.drawArc(QRectF(5, 5, 14, 14), 100 * 16, 60 * 16);
}

void PaintScreen(QPainter& painter, const QColor& ink) {
    painter.setPen(QPen(ink, 1.8));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(2, 4, 20, 14), 2, 2);
    painter.drawLine(QPointF(8, 21), QPointF(16, 21));
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    const QPointF play[] = {{9.5, 7.5}, {9.5, 14.5}, {15.5, 11}};
    painter.drawPolygon(play, 3);
}

void PaintMusicNote(QPainter& painter, const QColor& ink) {
    painter.setPen(QPen(ink, 1.8));
    painter.drawLine(QPointF(8.5, 18), QPointF(8.5, 5));
    painter.drawLine(QPointF(19.5, 16), QPointF(19.5, 3));
    painter.setPen(QPen(ink, 3.0));
    painter.drawLine(QPointF(8.5, 5.5), QPointF(19.5, 3.5));
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawEllipse(QPointF(6, 18.5), 3.2, 2.5);
    painter.drawEllipse(QPointF(17, 16.5), 3.2, 2.5);
}

void PaintAutoCycle(QPainter& painter, const QColor& ink) {
    painter.setPen(QPen(ink, 1.8));
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRectF(3, 3, 18, 18), 30 * 16, 150 * 16);
    painter.drawArc(QRectF(3, 3, 18, 18), 210 * 16, 150 * 16);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    const QPointF upper[] = {{19.5, 4.5}, {20.5, 10}, {15, 8.5}};
    const QPointF lower[] = {{4.5, 19.5}, {3.5, 14}, {9, 15.5}};
    painter.drawPolygon(upper, 3);
    painter.drawPolygon(lower, 3);
    QFont font = painter.font();
    font.setPixelSize(9);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(ink);
    painter.drawText(QRectF(6, 6, 12, 12), Qt::AlignCenter, QStringLiteral("A"));
}

void PaintMicrophone(QPainter& painter, const QColor& ink) {
    painter.setPen(QPen(ink, 1.8));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(5, 2, 7, 12), 3.5, 3.5);
    painter.drawArc(QRectF(2.5, 6, 12, 11), 200 * 16, 140 * 16);
    painter.drawLine(QPointF(8.5, 17), QPointF(8.5, 21));
    painter.drawLine(QPointF(5, 21.5), QPointF(12, 21.5));
}

void PaintWaves(QPainter& painter, const QColor& ink, int count) {
    painter.setPen(QPen(ink, 1.6, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    for (int wave = 0; wave < count; ++wave) {
        const double reach = 3.0 + wave * 2.6;
        painter.drawArc(QRectF(14 - reach, 8 - reach, 2 * reach, 2 * reach), -50 * 16, 100 * 16);
    }
}

void PaintSlash(QPainter& painter, const QColor& ink) {
    painter.setPen(QPen(ink, 2.2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(2, 3), QPointF(20, 21));
}
}  // namespace

void PaintKitPicture(QPainter& painter, KitPicture picture, const QRectF& square,
                     const QColor& ink) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(square.topLeft());
    painter.scale(square.width() / kGrid, square.height() / kGrid);
    switch (picture) {
        case KitPicture::Disc:
            PaintDisc(painter, ink);
            break;
        case KitPicture::Screen:
            PaintScreen(painter, ink);
            break;
        case KitPicture::MusicNote:
            PaintMusicNote(painter, ink);
            break;
        case KitPicture::AutoCycle:
            PaintAutoCycle(painter, ink);
            break;
        case KitPicture::MicOff:
            PaintMicrophone(painter, ink);
            PaintSlash(painter, ink);
            break;
        case KitPicture::MicWaves1:
        case KitPicture::MicWaves2:
        case KitPicture::MicWaves3:
        case KitPicture::MicWaves4:
            PaintMicrophone(painter, ink);
            PaintWaves(painter, ink,
                       static_cast<int>(picture) - static_cast<int>(KitPicture::MicWaves1) + 1);
            break;
    }
    painter.restore();
}
