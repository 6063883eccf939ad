// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/graph/GraphFrame.h"

#include <QFontMetrics>
#include <QPainter>

#include "app/graph/GraphAxes.h"
#include "app/graph/GraphMapping.h"

namespace {
const QColor kFrameOutlineColour(100, 100, 100);
const QColor kPlotOutlineColour(0, 180, 0);
const QColor kGridColour(21, 100, 21);
// Light enough to read on black from a few steps away.
const QColor kLabelColour(190, 190, 190);
constexpr int kDecibelLabelLeft = 3;

QFont AxisFont() {
    QFont font;
    font.setPixelSize(kAxisLabelPixelSize);
    return font;
}
}  // namespace

void GraphFrame::Prepare(QSize client) {
    if (client == size_ && !image_.isNull()) {
        return;
    }
    size_ = client;
    gridLines_.clear();
    frequencyLabels_.clear();
    decibelLabels_.clear();
    if (client.isEmpty()) {
        image_ = QImage();
        return;
    }
    const PixelRect plot = PlotRectForClient(client.width(), client.height());
    plot_ = QRect(QPoint(plot.left, plot.top), QPoint(plot.right - 1, plot.bottom - 1));
    const QFont font = AxisFont();
    PlaceLabels(plot, QFontMetrics(font));
    PlaceGrid(plot);

    // Opaque, so that copying it to the screen is a plain copy, not a blend.
    image_ = QImage(size_, QImage::Format_RGB32);
    image_.fill(Qt::black);
    QPainter painter(&image_);
    painter.setPen(kFrameOutlineColour);
    painter.drawRect(0, 0, size_.width() - 1, size_.height() - 1);
    painter.setFont(font);
    painter.setPen(kLabelColour);
    for (const auto* labels : {&frequencyLabels_, &decibelLabels_}) {
        for (const PlacedAxisLabel& label : *labels) {
            painter.drawText(label.rect, Qt::AlignCenter, label.text);
        }
    }
    PaintGrid(painter);
}

void GraphFrame::PaintGrid(QPainter& painter) const {
    painter.setPen(QPen(kGridColour, 1));
    painter.drawLines(gridLines_.data(), static_cast<qsizetype>(gridLines_.size()));
    painter.setPen(kPlotOutlineColour);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(plot_);
}

void GraphFrame::PlaceLabels(const PixelRect& plot, const QFontMetrics& metrics) {
    const GraphScale scale(plot.Width(), plot.Height());
    const int height = metrics.height();
    for (const AxisLabel& label : FrequencyAxisLabels(scale)) {
        const QString text =
            QString::fromLatin1(label.text.data(), static_cast<qsizetype>(label.text.size()));
        const int width = metrics.horizontalAdvance(text);
        const int left = CentredLabelStart(label.position, width, 0, size_.width());
        const int top = plot.bottom + std::max(0, (kPlotBottomMargin - height) / 2);
        frequencyLabels_.push_back(
            {text, label.value, label.position, QRect(left, top, width, height)});
    }
    for (const AxisLabel& label : DecibelAxisLabels(scale)) {
        const QString text =
            QString::fromLatin1(label.text.data(), static_cast<qsizetype>(label.text.size()));
        const int width =
            std::min(metrics.horizontalAdvance(text) + 2, kPlotLeftMargin - kDecibelLabelLeft - 1);
        const int top = CentredLabelStart(label.position, height, 1, size_.height() - 1);
        decibelLabels_.push_back(
            {text, label.value, label.position, QRect(kDecibelLabelLeft, top, width, height)});
    }
}

void GraphFrame::PlaceGrid(const PixelRect& plot) {
    const GraphScale scale(plot.Width(), plot.Height());
    const auto lineX = GridLineX(scale);
    // 20 Hz is the plot's left edge; the outline draws it.
    for (int i = 1; i < kGridLineCount; ++i) {
        gridLines_.emplace_back(lineX[i], plot.top, lineX[i], plot.bottom - 1);
    }
    for (const int y : DecibelLineY(scale)) {
        if (y < plot.bottom - 1) {
            gridLines_.emplace_back(plot.left, y, plot.right - 1, y);
        }
    }
}
