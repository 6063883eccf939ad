// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/SignalFlowPainter.h"

#include <QPainter>
#include <QPainterPath>

#include "app/ShellTexts.h"
#include "controls/KitPalette.h"

namespace {
constexpr BilingualText kInputsTitle{"Inputs", "输入"};
constexpr BilingualText kEffectTitle{"Effect engine", "效果器"};
constexpr BilingualText kOutputsTitle{"Outputs", "输出"};
constexpr BilingualText kEchoReverbTitle{"Echo and reverb", "回声与混响"};
constexpr BilingualText kEffectGroupsTitle{"Effect groups", "效果组"};
constexpr BilingualText kScenesTitle{"Scene presets", "场景预置"};
constexpr BilingualText kMusicLine{"music", "音乐"};
constexpr BilingualText kMicLine{"mic", "话筒"};
constexpr BilingualText kDryMicLine{"dry mic", "话筒直通"};
constexpr BilingualText kEffectLine{"effect", "效果"};

constexpr double kLineWidth = 1.6;
constexpr double kBusWidth = 4.0;
constexpr double kArrowLength = 8.0;
constexpr double kCornerRadius = 6.0;
constexpr int kTextInset = 8;

void PaintBlock(QPainter& painter, const QRect& block) {
    painter.setPen(QPen(KitPalette::FlowLine(), kLineWidth));
    painter.setBrush(KitPalette::FlowBlock());
    painter.drawRoundedRect(QRectF(block).adjusted(0.5, 0.5, -0.5, -0.5), kCornerRadius,
                            kCornerRadius);
}

void PaintBlockTitle(QPainter& painter, const QRect& block, int height, const QString& title) {
    const QRect line(block.left() + kTextInset, block.top() + kTextInset / 2,
                     block.width() - 2 * kTextInset, height + kTextInset / 2);
    painter.setPen(KitPalette::FlowCaption());
    painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, title);
}

void PaintArrowHead(QPainter& painter, QPointF tip, QPointF from) {
    const QLineF back(tip, from);
    QLineF side = back;
    side.setLength(kArrowLength);
    QLineF left = side;
    left.setAngle(side.angle() + 25);
    QLineF right = side;
    right.setAngle(side.angle() - 25);
    const QPointF head[] = {tip, left.p2(), right.p2()};
    painter.setPen(Qt::NoPen);
    painter.setBrush(KitPalette::FlowLine());
    painter.drawPolygon(head, 3);
}

// A signal line through `points`, with an arrow at its end.
void PaintSignal(QPainter& painter, std::initializer_list<QPointF> points) {
    QPainterPath path;
    const QPointF* previous = nullptr;
    for (const QPointF& point : points) {
        if (previous == nullptr) {
            path.moveTo(point);
        } else {
            path.lineTo(point);
        }
        previous = &point;
    }
    painter.setPen(QPen(KitPalette::FlowLine(), kLineWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    const QPointF* last = points.end() - 1;
    PaintArrowHead(painter, *last, *(last - 1));
}

// A caption standing just above a horizontal stretch of line from `left` to `right`.
void PaintLineCaption(QPainter& painter, int left, int right, int y, const QString& text) {
    const int height = painter.fontMetrics().height();
    painter.setPen(KitPalette::FlowCaption());
    painter.drawText(QRect(left, y - height - 2, right - left, height), Qt::AlignCenter, text);
}
}  // namespace

void PaintSignalFlow(QPainter& painter, const SignalFlowLayout& layout, Language language,
                     const std::array<BilingualText, MainPageRules::kOutputRows>& outputNames) {
    painter.setRenderHint(QPainter::Antialiasing);
    QFont titleFont = painter.font();
    titleFont.setBold(true);
    const QFont plainFont = painter.font();

    painter.setFont(titleFont);
    painter.setPen(KitPalette::FlowCaption());
    painter.drawText(layout.inputsTitle, Qt::AlignCenter, Tr(kInputsTitle, language));
    painter.drawText(layout.effectTitle, Qt::AlignCenter, Tr(kEffectTitle, language));
    painter.drawText(layout.outputsTitle, Qt::AlignCenter, Tr(kOutputsTitle, language));
    painter.setFont(plainFont);

    // Lines first, so that blocks cover their ends cleanly.
    const int music = layout.musicBlock.center().y();
    const int mic = layout.micBlock.center().y();
    const int effect = layout.effectBlock.center().y();
    const int branchX = (layout.micBlock.right() + layout.effectBlock.left()) / 2;
    const int busTop = std::min(music, layout.outputs.front().block.center().y());
    const int busBottom = std::max(layout.dryMicY, layout.outputs.back().block.center().y());
    painter.setPen(QPen(KitPalette::FlowLine(), kBusWidth, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(layout.busX, busTop, layout.busX, busBottom);

    PaintSignal(painter, {QPointF(layout.musicBlock.right(), music), QPointF(layout.busX, music)});
    PaintLineCaption(painter, layout.effectBlock.left(), layout.effectBlock.right(), music,
                     Tr(kMusicLine, language));
    PaintSignal(painter,
                {QPointF(layout.micBlock.right(), mic), QPointF(layout.effectBlock.left(), mic)});
    PaintLineCaption(painter, layout.micBlock.right(), layout.effectBlock.left(), mic,
                     Tr(kMicLine, language));
    PaintSignal(painter, {QPointF(branchX, mic), QPointF(branchX, layout.dryMicY),
                          QPointF(layout.busX, layout.dryMicY)});
    PaintLineCaption(painter, layout.effectBlock.left(), layout.effectBlock.right(), layout.dryMicY,
                     Tr(kDryMicLine, language));
    PaintSignal(painter,
                {QPointF(layout.effectBlock.right(), effect), QPointF(layout.busX, effect)});
    PaintLineCaption(painter, layout.effectBlock.right(), layout.busX, effect,
                     Tr(kEffectLine, language));
    for (const SignalFlowOutputRow& output : layout.outputs) {
        const int y = output.block.center().y();
        PaintSignal(painter, {QPointF(layout.busX, y), QPointF(output.block.left(), y)});
    }

    const int titleHeight = layout.effectGroupsCaption.height();
    PaintBlock(painter, layout.musicBlock);
    PaintBlock(painter, layout.micBlock);
    PaintBlock(painter, layout.effectBlock);
    PaintBlockTitle(painter, layout.effectBlock, titleHeight, Tr(kEchoReverbTitle, language));
    painter.setPen(KitPalette::FlowCaption());
    painter.drawText(layout.effectGroupsCaption, Qt::AlignLeft | Qt::AlignVCenter,
                     Tr(kEffectGroupsTitle, language));
    PaintBlock(painter, layout.scenesBlock);
    PaintBlockTitle(painter, layout.scenesBlock, titleHeight, Tr(kScenesTitle, language));
    for (size_t row = 0; row < layout.outputs.size(); ++row) {
        const SignalFlowOutputRow& output = layout.outputs.at(row);
        PaintBlock(painter, output.block);
        painter.setFont(titleFont);
        painter.setPen(KitPalette::FlowCaption());
        painter.drawText(output.name, Qt::AlignLeft | Qt::AlignVCenter,
                         Tr(outputNames.at(row), language));
        painter.setFont(plainFont);
    }
}
