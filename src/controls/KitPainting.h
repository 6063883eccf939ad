// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing steps the kit's controls share: the rounded face, the focus ring
// and the size a caption needs (bold, so that a control that bolds its text
// when pressed never outgrows its place).
#pragma once

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QSize>
#include <QString>

class QPainter;

void PaintKitFace(QPainter& painter, const QRectF& body, const QColor& face, const QColor& border,
                  bool sunken);
void PaintKitFocus(QPainter& painter, const QRectF& body);
// Room for `text` on one line, measured in the bold variant of `font`.
QSize KitTextSize(const QFont& font, const QString& text);
