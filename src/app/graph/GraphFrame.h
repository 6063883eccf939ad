// SPDX-License-Identifier: GPL-3.0-or-later
// The parts of the response graph that depend only on its size: the black
// background with its decibel and frequency labels, and the grid. They are
// drawn once into off-screen images and rebuilt only when the size changes,
// so a drag step repaints curves and markers without redrawing any text.
// The grid is a separate transparent layer because it must lie above the
// emphasised element's filled curve.
#pragma once

#include <QImage>
#include <QSize>

#include "curves/Geometry.h"

class GraphFrame {
  public:
    // Rebuilds both images if `client` differs from the size they were drawn for.
    void Prepare(QSize client);

    const QImage& Background() const { return background_; }
    const QImage& GridLayer() const { return grid_; }

  private:
    void DrawBackground(const PixelRect& plot);
    void DrawGrid(const PixelRect& plot);

    QSize size_;
    QImage background_;
    QImage grid_;
};
