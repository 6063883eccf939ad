// SPDX-License-Identifier: GPL-3.0-or-later
// The parts of the response graph that depend only on its size: the black
// background with its decibel and frequency labels, the grid and the plot's
// outline. They are drawn once into one opaque off-screen image, rebuilt only
// when the size changes, so a drag step copies that image and draws curves
// and markers on it without redrawing any text or blending a second layer.
//
// The constraint: the grid must lie above the emphasised element's filled
// curve; the painter redraws just the grid lines over that fill, which it
// gets from `GridLines`.
#pragma once

#include <QImage>
#include <QLine>
#include <QRect>
#include <QSize>
#include <QString>
#include <vector>

#include "curves/Geometry.h"

struct PlacedAxisLabel {
    QString text;
    double value = 0;  // hertz or decibels
    int gridLine = 0;  // x (frequency) or y (decibels) of its line
    QRect rect;        // where the text is written
};

class GraphFrame {
  public:
    // Rebuilds the image if `client` differs from the size it was drawn for.
    void Prepare(QSize client);

    const QImage& Image() const { return image_; }
    const std::vector<QLine>& GridLines() const { return gridLines_; }
    const std::vector<PlacedAxisLabel>& FrequencyLabels() const { return frequencyLabels_; }
    const std::vector<PlacedAxisLabel>& DecibelLabels() const { return decibelLabels_; }
    // Draws the grid lines and the plot outline, as the frame image holds them.
    void PaintGrid(class QPainter& painter) const;

  private:
    void PlaceLabels(const PixelRect& plot, const class QFontMetrics& metrics);
    void PlaceGrid(const PixelRect& plot);

    QSize size_;
    QRect plot_;
    QImage image_;
    std::vector<QLine> gridLines_;
    std::vector<PlacedAxisLabel> frequencyLabels_;
    std::vector<PlacedAxisLabel> decibelLabels_;
};

// The pixel size of the axis labels: as large as lets "20K" stand centred on
// the plot's right edge within the 10-pixel margin.
inline constexpr int kAxisLabelPixelSize = 11;
