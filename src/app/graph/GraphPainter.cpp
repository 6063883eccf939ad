// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/graph/GraphPainter.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <QPolygonF>

#include "app/graph/GraphChannel.h"
#include "model/ChannelCurve.h"
#include "model/EQ.h"

namespace {
const QColor kEmphasisFill(68, 86, 98);
const QColor kGlowColour(0, 128, 192, 32);
constexpr int kWidestGlowStroke = 7;
constexpr int kMarkerTextPixelSize = 11;
constexpr int kLabelTextPixelSize = 11;
constexpr int kCurveWidth = 2;

QColor ToQColor(Colour colour) {
    return QColor(colour.red, colour.green, colour.blue, colour.alpha);
}

QRect ToQRect(const PixelRect& rect) {
    return QRect(QPoint(rect.left, rect.top), QPoint(rect.right - 1, rect.bottom - 1));
}

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

Qt::Alignment ToQtAlignment(MarkerTextAlignment alignment) {
    switch (alignment) {
        case MarkerTextAlignment::Left:
            return Qt::AlignLeft | Qt::AlignVCenter;
        case MarkerTextAlignment::Right:
            return Qt::AlignRight | Qt::AlignVCenter;
        case MarkerTextAlignment::Centre:
            break;
    }
    return Qt::AlignCenter;
}

void FillEmphasisedCurve(QPainter& painter, const CFilter& element) {
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
    painter.setPen(QPen(ToQColor(channel.CurveColour()), kCurveWidth, Qt::SolidLine, Qt::RoundCap,
                        Qt::RoundJoin));
    painter.drawPolyline(line);
    painter.restore();
}

void DrawAllBypassText(QPainter& painter, const PixelRect& plot, Language language) {
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(48);
    QPainterPath text;
    text.addText(0, 0, font, ToQString(kAllBypassText.In(language)));
    const QRectF bounds = text.boundingRect();
    const QPointF centre((plot.left + plot.right) / 2.0, plot.top + plot.Height() / 3.0);
    text.translate(centre - bounds.center());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setBrush(Qt::NoBrush);
    for (int width = 1; width <= kWidestGlowStroke; ++width) {
        painter.strokePath(text, QPen(kGlowColour, width));
    }
    painter.fillPath(text, Qt::white);
    painter.restore();
}

void DrawMarkers(QPainter& painter, CEQ& chain, const MarkedElements& marks,
                 const PixelRect& plot) {
    QFont font = painter.font();
    font.setPixelSize(kMarkerTextPixelSize);
    painter.setFont(font);
    painter.setPen(Qt::white);
    for (int index = 0; index < chain.GetCount(); ++index) {
        if (!marks.IsMarked(chain, index)) {
            continue;
        }
        const CFilter& element = chain.GetElement(index);
        painter.drawText(ToQRect(element.GetMarkerRect()),
                         ToQtAlignment(MarkerTextAlignmentFor(element, plot)),
                         QString::fromStdString(MarkerText(element, index)));
    }
}

void DrawBandwidthHandles(QPainter& painter, const CFilter& band, Colour colour) {
    painter.setPen(ToQColor(colour));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(ToQRect(band.GetLowerHandleRect()));
    painter.drawRect(ToQRect(band.GetUpperHandleRect()));
}

void DrawEmphasisedLabel(QPainter& painter, CFilter& element) {
    QFont font = painter.font();
    font.setPixelSize(kLabelTextPixelSize);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(ToQRect(element.GetLabelRect()), Qt::AlignCenter,
                     QString::fromStdString(element.GetLabel()));
}

bool IsElementOf(const CEQ& chain, int index) {
    return index >= 0 && index < chain.GetCount();
}
}  // namespace

void GraphPainter::Paint(QPainter& painter, QSize client, const GraphScene& scene) {
    frame_.Prepare(client);
    if (frame_.Background().isNull()) {
        return;
    }
    painter.drawImage(0, 0, frame_.Background());
    const PixelRect plot = PlotRectForClient(client.width(), client.height());
    painter.save();
    painter.setClipRect(ToQRect(plot));
    CEQ* chain = scene.channel != nullptr ? &scene.channel->Chain() : nullptr;
    if (chain != nullptr && IsElementOf(*chain, scene.emphasised)) {
        FillEmphasisedCurve(painter, chain->GetElement(scene.emphasised));
    }
    painter.drawImage(0, 0, frame_.GridLayer());
    if (chain != nullptr) {
        DrawChannelCurve(painter, *scene.channel);
        if (chain->AllBandsBypassed()) {
            DrawAllBypassText(painter, plot, scene.language);
        }
        DrawMarkers(painter, *chain, scene.marks, plot);
        if (IsElementOf(*chain, scene.current) &&
            chain->GetElement(scene.current).GetType() == ElementType::kPeaking) {
            DrawBandwidthHandles(painter, chain->GetElement(scene.current),
                                 scene.channel->CurveColour());
        }
        if (IsElementOf(*chain, scene.emphasised)) {
            DrawEmphasisedLabel(painter, chain->GetElement(scene.emphasised));
        }
    }
    painter.restore();
}
