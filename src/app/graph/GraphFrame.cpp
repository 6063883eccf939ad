// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/graph/GraphFrame.h"

#include <QPainter>

#include "app/graph/GraphMapping.h"

namespace {
const QColor kFrameOutlineColour(100, 100, 100);
const QColor kPlotOutlineColour(0, 180, 0);
const QColor kGridColour(21, 100, 21);
constexpr int kDbLabelX = 6;
constexpr int kLabelBoxWidth = 40;
constexpr int kLabelBoxHeight = 14;
constexpr int kLabelPixelSize = 10;

void WriteLabel(QPainter& painter, int x, int y, const char* text) {
    painter.drawText(QRect(x, y, kLabelBoxWidth, kLabelBoxHeight), Qt::AlignLeft | Qt::AlignTop,
                     QString::fromLatin1(text));
}
}  // namespace

void GraphFrame::Prepare(QSize client) {
    if (client == size_ && !background_.isNull()) {
        return;
    }
    size_ = client;
    if (client.isEmpty()) {
        background_ = QImage();
        grid_ = QImage();
        return;
    }
    const PixelRect plot = PlotRectForClient(client.width(), client.height());
    DrawBackground(plot);
    DrawGrid(plot);
}

void GraphFrame::DrawBackground(const PixelRect& plot) {
    background_ = QImage(size_, QImage::Format_ARGB32_Premultiplied);
    background_.fill(Qt::black);
    QPainter painter(&background_);
    painter.setPen(kFrameOutlineColour);
    painter.drawRect(0, 0, size_.width() - 1, size_.height() - 1);

    QFont font = painter.font();
    font.setPixelSize(kLabelPixelSize);
    painter.setFont(font);
    const int h = plot.Height();
    const int w = plot.Width();
    WriteLabel(painter, kDbLabelX, 5, "+10");
    const char* const dbLabels[] = {"+5", "0dB", "-5", "-10", "-15"};
    for (int k = 0; k < 5; ++k) {
        WriteLabel(painter, kDbLabelX, h / 12 * (2 * (k + 1)) + 3, dbLabels[k]);
    }
    WriteLabel(painter, kDbLabelX, h, "-20");

    const int third = w / 3;
    const int y = plot.bottom;
    WriteLabel(painter, 30, y, "20");
    WriteLabel(painter, third - 160, y, "50");
    WriteLabel(painter, third - 70, y, "100");
    WriteLabel(painter, third + 20, y, "200");
    WriteLabel(painter, third * 2 - 168, y, "500");
    WriteLabel(painter, third * 2 - 68, y, "1K");
    WriteLabel(painter, third * 2 + 27, y, "2K");
    WriteLabel(painter, w - 160, y, "5K");
    WriteLabel(painter, w - 70, y, "10K");
    WriteLabel(painter, w + 15, y, "20K");
}

void GraphFrame::DrawGrid(const PixelRect& plot) {
    grid_ = QImage(size_, QImage::Format_ARGB32_Premultiplied);
    grid_.fill(Qt::transparent);
    QPainter painter(&grid_);
    const GraphScale scale(plot.Width(), plot.Height());
    painter.setPen(QPen(kGridColour, 1));
    const auto lineX = GridLineX(scale);
    // 20 Hz is the plot's left edge; the outline draws it.
    for (int i = 1; i < kGridLineCount; ++i) {
        painter.drawLine(lineX[i], plot.top, lineX[i], plot.bottom - 1);
    }
    const int h = plot.Height();
    for (int k = 1; k <= 12; ++k) {
        const int y = plot.top + h / 12 * k;
        painter.drawLine(plot.left, y, plot.right - 1, y);
    }
    painter.setPen(kPlotOutlineColour);
    painter.drawRect(plot.left, plot.top, plot.Width() - 1, plot.Height() - 1);
}
