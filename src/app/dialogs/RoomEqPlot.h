// SPDX-License-Identifier: GPL-3.0-or-later
// The room EQ dialog's own graph: the measured curve (smoothed), the spread
// of the seats as a band behind it, the target and the predicted result
// (measured + chain), over the fitting range on a log-frequency axis. The
// target and the predicted curve are drawn at the measured curve's mean
// level, since the fit leaves the level free. Everything goes through one
// mapping, so labels, grid lines and curves cannot drift apart.
#pragma once

#include <QWidget>
#include <vector>

#include "curves/BilingualText.h"

struct PreparedMeasurement;

class RoomEqPlot : public QWidget {
    Q_OBJECT
  public:
    explicit RoomEqPlot(QWidget* parent = nullptr);

    void SetLanguage(Language language);
    // Shows the measurement alone, then with the chain's response once fitted.
    void ShowMeasurement(const PreparedMeasurement& measurement);
    void ShowPrediction(const std::vector<double>& chain);
    void Clear();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    Language language_ = Language::English;
    std::vector<double> hertz_;
    std::vector<double> measured_;
    std::vector<double> spreadLow_;
    std::vector<double> spreadHigh_;
    std::vector<double> target_;
    std::vector<double> predicted_;
};
