// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogs/RoomEqPlot.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "app/ShellTexts.h"
#include "app/dialogs/RoomEqTexts.h"
#include "roomeq/FitError.h"
#include "roomeq/PreparedMeasurement.h"

namespace {
const QColor kBackground(22, 24, 28);
const QColor kGrid(60, 64, 72);
const QColor kLabel(200, 204, 212);
const QColor kSpreadFill(90, 130, 200, 70);
const QColor kMeasuredColour(120, 170, 255);
const QColor kTargetColour(230, 230, 230);
const QColor kPredictedColour(255, 190, 60);

constexpr double kGridHertz[] = {20, 50, 100, 200, 500, 1000, 2000, 5000, 10000, 20000};

// Frequency and level to pixels over the plot rectangle.
struct PlotMapping {
    QRectF area;
    double lowHertz;
    double highHertz;
    double topDb;
    double bottomDb;

    double X(double hertz) const {
        return area.left() +
               area.width() * std::log(hertz / lowHertz) / std::log(highHertz / lowHertz);
    }
    double Y(double db) const {
        return area.top() + area.height() * (topDb - db) / (topDb - bottomDb);
    }
};

QString HertzLabel(double hertz) {
    return hertz >= 1000.0 ? QString::number(hertz / 1000.0) + QStringLiteral("k")
                           : QString::number(hertz);
}

double WeightedMean(const std::vector<double>& levels, const std::vector<double>& weights) {
    double mean = 0.0;
    for (size_t k = 0; k < levels.size(); ++k) {
        mean += weights[k] * levels[k];
    }
    return mean;
}

QPainterPath Curve(const PlotMapping& map, const std::vector<double>& hertz,
                   const std::vector<double>& db) {
    QPainterPath path;
    for (size_t k = 0; k < hertz.size(); ++k) {
        const QPointF point(map.X(hertz[k]), map.Y(db[k]));
        if (k == 0) {
            path.moveTo(point);
        } else {
            path.lineTo(point);
        }
    }
    return path;
}
}  // namespace

RoomEqPlot::RoomEqPlot(QWidget* parent) : QWidget(parent) {
    setMinimumSize(420, 220);
    setAccessibleName(QStringLiteral("Room EQ plot"));
}

void RoomEqPlot::SetLanguage(Language language) {
    language_ = language;
    update();
}

void RoomEqPlot::ShowMeasurement(const PreparedMeasurement& measurement) {
    hertz_ = measurement.hertz;
    measured_ = measurement.measured;
    spreadLow_ = measurement.spreadLow;
    spreadHigh_ = measurement.spreadHigh;
    // The target is drawn at the measured curve's level.
    const std::vector<double> weights = OctaveWeights(hertz_);
    const double shift =
        WeightedMean(measured_, weights) - WeightedMean(measurement.target, weights);
    target_ = measurement.target;
    for (double& level : target_) {
        level += shift;
    }
    predicted_.clear();
    update();
}

void RoomEqPlot::ShowPrediction(const std::vector<double>& chain) {
    if (chain.size() != measured_.size()) {
        return;
    }
    predicted_.resize(chain.size());
    for (size_t k = 0; k < chain.size(); ++k) {
        predicted_[k] = measured_[k] + chain[k];
    }
    const std::vector<double> weights = OctaveWeights(hertz_);
    const double shift = WeightedMean(measured_, weights) - WeightedMean(predicted_, weights);
    for (double& level : predicted_) {
        level += shift;
    }
    update();
}

void RoomEqPlot::Clear() {
    hertz_.clear();
    measured_.clear();
    predicted_.clear();
    update();
}

void RoomEqPlot::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), kBackground);
    const QFontMetrics metrics = painter.fontMetrics();
    const int labelHeight = metrics.height();
    const int leftMargin = metrics.horizontalAdvance(QStringLiteral("-100 dB")) + 10;
    const QRectF area(leftMargin, labelHeight * 2 + 6, width() - leftMargin - 12,
                      height() - labelHeight * 4 - 10);
    if (hertz_.size() < 2 || area.width() < 50 || area.height() < 50) {
        painter.setPen(kLabel);
        painter.drawText(rect(), Qt::AlignCenter, Tr(RoomEqText::kNoMeasurement, language_));
        return;
    }
    // Whole 5 dB steps around everything shown, at least 30 dB tall.
    double low = *std::ranges::min_element(spreadLow_);
    double high = *std::ranges::max_element(spreadHigh_);
    for (const std::vector<double>* curve : {&measured_, &target_, &predicted_}) {
        if (!curve->empty()) {
            low = std::min(low, *std::ranges::min_element(*curve));
            high = std::max(high, *std::ranges::max_element(*curve));
        }
    }
    const double middle = (low + high) / 2.0;
    const double half = std::max(15.0, (high - low) / 2.0 + 2.0);
    const PlotMapping map{area, hertz_.front(), hertz_.back(),
                          std::ceil((middle + half) / 5.0) * 5.0,
                          std::floor((middle - half) / 5.0) * 5.0};

    painter.setPen(kGrid);
    for (double db = map.bottomDb; db <= map.topDb + 1e-9; db += 5.0) {
        painter.setPen(kGrid);
        painter.drawLine(QPointF(area.left(), map.Y(db)), QPointF(area.right(), map.Y(db)));
        painter.setPen(kLabel);
        painter.drawText(QRectF(0, map.Y(db) - labelHeight / 2.0, leftMargin - 6, labelHeight),
                         Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(db, 'f', 0) + QStringLiteral(" dB"));
    }
    for (double hertz : kGridHertz) {
        if (hertz < map.lowHertz || hertz > map.highHertz) {
            continue;
        }
        painter.setPen(kGrid);
        painter.drawLine(QPointF(map.X(hertz), area.top()), QPointF(map.X(hertz), area.bottom()));
        painter.setPen(kLabel);
        painter.drawText(QRectF(map.X(hertz) - 30, area.bottom() + 2, 60, labelHeight),
                         Qt::AlignHCenter | Qt::AlignTop, HertzLabel(hertz));
    }

    QPainterPath spread = Curve(map, hertz_, spreadHigh_);
    for (size_t k = hertz_.size(); k-- > 0;) {
        spread.lineTo(map.X(hertz_[k]), map.Y(spreadLow_[k]));
    }
    spread.closeSubpath();
    painter.fillPath(spread, kSpreadFill);
    painter.setPen(QPen(kTargetColour, 1.5, Qt::DashLine));
    painter.drawPath(Curve(map, hertz_, target_));
    painter.setPen(QPen(kMeasuredColour, 2.0));
    painter.drawPath(Curve(map, hertz_, measured_));
    if (!predicted_.empty()) {
        painter.setPen(QPen(kPredictedColour, 2.5));
        painter.drawPath(Curve(map, hertz_, predicted_));
    }

    // The legend on one line above the plot, each name after a sample of its line.
    struct Entry {
        const BilingualText* name;
        QColor colour;
        Qt::PenStyle style;
        bool shown;
    };
    const Entry entries[] = {
        {&RoomEqText::kMeasured, kMeasuredColour, Qt::SolidLine, true},
        {&RoomEqText::kSpread, kSpreadFill, Qt::SolidLine, true},
        {&RoomEqText::kTargetCurve, kTargetColour, Qt::DashLine, true},
        {&RoomEqText::kPredicted, kPredictedColour, Qt::SolidLine, !predicted_.empty()}};
    // Entries that do not fit on the first line go on to a second.
    double x = area.left();
    double top = 4;
    for (const Entry& entry : entries) {
        if (!entry.shown) {
            continue;
        }
        const QString name = Tr(*entry.name, language_);
        const double width = 30 + metrics.horizontalAdvance(name) + 4;
        if (x + width > area.right() && x > area.left()) {
            x = area.left();
            top += labelHeight;
        }
        const double y = top + labelHeight / 2.0;
        painter.setPen(
            QPen(entry.colour, entry.name == &RoomEqText::kSpread ? 8.0 : 2.5, entry.style));
        painter.drawLine(QPointF(x, y), QPointF(x + 24, y));
        painter.setPen(kLabel);
        painter.drawText(QRectF(x + 30, top, metrics.horizontalAdvance(name) + 4, labelHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, name);
        x += width + 18;
    }
}
