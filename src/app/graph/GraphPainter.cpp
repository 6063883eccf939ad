// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/graph/GraphPainter.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <QPolygonF>
#include <cmath>

#include "app/graph/GraphChannel.h"
#include "app/graph/GraphMarkerLayout.h"
#include "model/ChannelCurve.h"
#include "model/EQ.h"

namespace {
const QColor kEmphasisFill(68, 86, 98);
const QColor kGlowColour(0, 128, 192, 32);
const QColor kHandleFill(24, 24, 24);
const QColor kBypassedInk(150, 150, 150);
const QColor kCaptionBacking(0, 0, 0, 190);
constexpr int kWidestGlowStroke = 7;
constexpr int kMarkerTextPixelSize = 11;
constexpr int kTwoDigitPixelSize = 9;
constexpr int kLabelTextPixelSize = 12;
constexpr int kCurveWidth = 2;
constexpr qsizetype kCurvePieceLength = 16;
constexpr int kAllBypassPointSize = 48;
// Dark channel colours (main left is pure blue) are lifted towards white
// until they stand out on black (a contrast of 3:1); the hue stays the channel's.
constexpr double kLeastLuminance = 0.1;

QColor ToQColor(Colour colour) {
    return QColor(colour.red, colour.green, colour.blue, colour.alpha);
}

double Luminance(const QColor& colour) {
    const auto linear = [](double channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

QColor VisibleOnBlack(QColor colour) {
    for (int step = 0; step < 8 && Luminance(colour) < kLeastLuminance; ++step) {
        colour = QColor((colour.red() * 3 + 255) / 4, (colour.green() * 3 + 255) / 4,
                        (colour.blue() * 3 + 255) / 4, colour.alpha());
    }
    return colour;
}

QRect ToQRect(const PixelRect& rect) {
    return QRect(QPoint(rect.left, rect.top), QPoint(rect.right - 1, rect.bottom - 1));
}

QRectF ToHandleRect(const PixelRect& rect) {
    return QRectF(rect.left + 0.5, rect.top + 0.5, rect.Width() - 1.0, rect.Height() - 1.0);
}

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void FillEmphasisedCurve(QPainter& painter, const CFilter& element, const GraphFrame& frame) {
    const auto& points = element.GetCurve();
    QPolygon polygon;
    polygon.reserve(static_cast<qsizetype>(points.size()));
    for (const PixelPoint& point : points) {
        polygon.append(QPoint(point.x, point.y));
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(kEmphasisFill);
    painter.drawPolygon(polygon);
    painter.setBrush(Qt::NoBrush);
    // The grid lies above the fill; only where the fill went is it drawn again.
    painter.save();
    painter.setClipRect(polygon.boundingRect().adjusted(-1, -1, 1, 1), Qt::IntersectClip);
    frame.PaintGrid(painter);
    painter.restore();
}

void DrawChannelCurve(QPainter& painter, const GraphChannel& channel) {
    const ChannelCurve& curve = channel.Curve();
    // The fractional points carry the chain alone; the channel's gain moves
    // the drawn line by the same whole pixels as its integer curve.
    const double gainShift = curve.GetGainPixelOffset();
    QPolygonF line;
    line.reserve(static_cast<qsizetype>(curve.PointsF().size()));
    for (const PixelPointF& point : curve.PointsF()) {
        line.append(QPointF(point.x, point.y + gainShift));
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(VisibleOnBlack(ToQColor(channel.CurveColour())), kCurveWidth, Qt::SolidLine,
                        Qt::RoundCap, Qt::RoundJoin));
    // The anti-aliasing rasteriser keeps each pixel row's cells in a sorted
    // list, so one stroke across a wide plot costs the square of its width;
    // short pieces that share their end points cost a small fraction of it.
    for (qsizetype first = 0; first + 1 < line.size(); first += kCurvePieceLength) {
        const qsizetype count = std::min<qsizetype>(kCurvePieceLength + 1, line.size() - first);
        painter.drawPolyline(line.constData() + first, static_cast<int>(count));
    }
    painter.restore();
}

struct HandleStyle {
    QColor ring;
    QColor fill;
    QColor ink;
    double ringWidth = 2.0;
};

HandleStyle StyleFor(const CFilter& element, bool current, const QColor& channel) {
    if (current) {
        return {Qt::white, channel, Qt::black};
    }
    if (element.GetBypassState() != 0 && element.GetType() != ElementType::kHighPass &&
        element.GetType() != ElementType::kLowPass) {
        // A bypassed band: hollow, thin and grey, so it reads as "out" without colour.
        return {kBypassedInk, Qt::black, kBypassedInk, 1.0};
    }
    return {channel, channel.darker(300), Qt::white};
}

void DrawHandleShape(QPainter& painter, const QRectF& rect, bool round) {
    if (round) {
        painter.drawEllipse(rect);
    } else {
        painter.drawRoundedRect(rect, 2.0, 2.0);
    }
}

void DrawMarkers(QPainter& painter, CEQ& chain, const MarkedElements& marks, const PixelRect& plot,
                 int current, const QColor& channel) {
    const std::vector<MarkerNumberPlace> places = PlaceMarkerNumbers(chain, marks, plot);
    QFont font = painter.font();
    font.setBold(true);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    // The first marker in chain order is the one the pointer finds: it goes on top.
    for (auto place = places.rbegin(); place != places.rend(); ++place) {
        const CFilter& element = chain.GetElement(place->element);
        const HandleStyle style = StyleFor(element, place->element == current, channel);
        const bool round = element.GetType() != ElementType::kHighPass &&
                           element.GetType() != ElementType::kLowPass;
        const QRectF handle = ToHandleRect(place->handle);
        const QRectF number = ToHandleRect(place->number);
        if (place->inTag && !number.isEmpty()) {
            painter.setPen(QPen(style.ring, 1.0, Qt::DotLine));
            painter.drawLine(number.center(), handle.center());
            painter.setPen(QPen(style.ring, 1.0));
            painter.setBrush(kHandleFill);
            painter.drawRoundedRect(number, 3.0, 3.0);
        }
        painter.setPen(QPen(style.ring, style.ringWidth));
        painter.setBrush(style.fill);
        DrawHandleShape(painter, handle.adjusted(0.5, 0.5, -0.5, -0.5), round);
        if (!number.isEmpty()) {
            const QString text = QString::fromStdString(MarkerText(element, place->element));
            // Two digits still fit inside a handle the size of the hit area.
            font.setPixelSize(text.size() > 1 ? kTwoDigitPixelSize : kMarkerTextPixelSize);
            painter.setFont(font);
            painter.setPen(place->inTag ? Qt::white : style.ink);
            painter.drawText(number, Qt::AlignCenter, text);
        }
    }
    painter.restore();
}

void DrawBandwidthHandles(QPainter& painter, const CFilter& band, const QColor& colour) {
    painter.setPen(QPen(colour, 1.5));
    painter.setBrush(kHandleFill);
    painter.drawRect(ToQRect(band.GetLowerHandleRect()));
    painter.drawRect(ToQRect(band.GetUpperHandleRect()));
}

void DrawEmphasisedLabel(QPainter& painter, CFilter& element, const QRect& client) {
    QFont font = painter.font();
    font.setPixelSize(kLabelTextPixelSize);
    font.setBold(false);
    painter.setFont(font);
    const QString text = QString::fromStdString(element.GetLabel());
    const QRect box = ToQRect(element.GetLabelRect());
    // A dark plate behind the text keeps it readable over curves and grid.
    QRect plate =
        painter.fontMetrics().boundingRect(box, Qt::AlignCenter, text).adjusted(-3, -1, 3, 1);
    plate.moveLeft(std::clamp(plate.left(), client.left() + 1, client.right() - plate.width()));
    painter.fillRect(plate, kCaptionBacking);
    painter.setPen(Qt::white);
    painter.drawText(plate, Qt::AlignCenter, text);
}

bool IsElementOf(const CEQ& chain, int index) {
    return index >= 0 && index < chain.GetCount();
}
}  // namespace

const QImage& GraphPainter::AllBypassPicture(Language language) {
    if (!allBypass_.isNull() && allBypassLanguage_ == language) {
        return allBypass_;
    }
    allBypassLanguage_ = language;
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(kAllBypassPointSize);
    QPainterPath text;
    text.addText(0, 0, font, ToQString(kAllBypassText.In(language)));
    const QRectF bounds = text.boundingRect().adjusted(-kWidestGlowStroke, -kWidestGlowStroke,
                                                       kWidestGlowStroke, kWidestGlowStroke);
    text.translate(-bounds.topLeft());
    allBypass_ = QImage(bounds.size().toSize() + QSize(1, 1), QImage::Format_ARGB32_Premultiplied);
    allBypass_.fill(Qt::transparent);
    QPainter painter(&allBypass_);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setBrush(Qt::NoBrush);
    for (int width = 1; width <= kWidestGlowStroke; ++width) {
        painter.strokePath(text, QPen(kGlowColour, width));
    }
    painter.fillPath(text, Qt::white);
    return allBypass_;
}

void GraphPainter::Paint(QPainter& painter, QSize client, const GraphScene& scene) {
    frame_.Prepare(client);
    if (frame_.Image().isNull()) {
        return;
    }
    painter.drawImage(0, 0, frame_.Image());
    const PixelRect plot = PlotRectForClient(client.width(), client.height());
    CEQ* chain = scene.channel != nullptr ? &scene.channel->Chain() : nullptr;
    if (chain == nullptr) {
        return;
    }
    const QColor channelColour = VisibleOnBlack(ToQColor(scene.channel->CurveColour()));
    painter.save();
    painter.setClipRect(ToQRect(plot));
    if (IsElementOf(*chain, scene.emphasised)) {
        FillEmphasisedCurve(painter, chain->GetElement(scene.emphasised), frame_);
    }
    DrawChannelCurve(painter, *scene.channel);
    if (chain->AllBandsBypassed()) {
        const QImage& picture = AllBypassPicture(scene.language);
        const QPoint centre((plot.left + plot.right) / 2, plot.top + plot.Height() / 3);
        painter.drawImage(centre - QPoint(picture.width() / 2, picture.height() / 2), picture);
    }
    painter.restore();
    // Handles may reach past the plot's edges at 20 Hz and 20 kHz; they stay whole.
    const QRect inner = QRect(QPoint(0, 0), client).adjusted(1, 1, -1, -1);
    painter.save();
    painter.setClipRect(inner);
    if (IsElementOf(*chain, scene.current) &&
        chain->GetElement(scene.current).GetType() == ElementType::kPeaking) {
        DrawBandwidthHandles(painter, chain->GetElement(scene.current), channelColour);
    }
    DrawMarkers(painter, *chain, scene.marks, plot, scene.current, channelColour);
    if (IsElementOf(*chain, scene.emphasised)) {
        DrawEmphasisedLabel(painter, chain->GetElement(scene.emphasised), inner);
    }
    painter.restore();
}
