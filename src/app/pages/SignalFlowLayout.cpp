// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/SignalFlowLayout.h"

#include <algorithm>

namespace {
constexpr int kMargin = 12;
constexpr int kPadding = 8;
constexpr int kButtonGap = 6;
constexpr int kMinimumColumnGap = 56;
constexpr int kLargestColumnGap = 200;
constexpr int kMinimumRowGap = 6;
constexpr int kLargestRowGap = 56;

struct Columns {
    int inputWidth;
    int effectWidth;
    int outputWidth;
};

Columns ColumnWidths(const SignalFlowMetrics& metrics) {
    const int button = metrics.button.width();
    return {button + 2 * kPadding, 2 * button + kButtonGap + 2 * kPadding,
            metrics.outputNameWidth + 4 * button + 4 * kButtonGap + 2 * kPadding};
}

int RowHeight(const SignalFlowMetrics& metrics) {
    return metrics.button.height() + 2 * kPadding;
}

// A titled block: the title line, then `buttonRows` rows of buttons.
int TitledBlockHeight(const SignalFlowMetrics& metrics, int buttonRows) {
    return kPadding + metrics.captionHeight + buttonRows * metrics.button.height() +
           (buttonRows - 1) * kButtonGap + kPadding;
}

int EffectBlockHeight(const SignalFlowMetrics& metrics) {
    // Echo and reverb, then the effect groups' caption and their two rows.
    return TitledBlockHeight(metrics, 1) + metrics.captionHeight + kButtonGap +
           2 * metrics.button.height() + kButtonGap;
}

int LeftColumnHeight(const SignalFlowMetrics& metrics, int rowGap) {
    // Music, the effect engine beside the microphone, the dry path under
    // it, then the scenes.
    return RowHeight(metrics) + 2 * rowGap + EffectBlockHeight(metrics) + 4 * rowGap +
           TitledBlockHeight(metrics, 2);
}

int OutputsHeight(const SignalFlowMetrics& metrics, int rowGap) {
    return MainPageRules::kOutputRows * RowHeight(metrics) +
           (MainPageRules::kOutputRows - 1) * rowGap;
}

int ContentHeight(const SignalFlowMetrics& metrics, int rowGap) {
    return metrics.captionHeight + kPadding +
           std::max(LeftColumnHeight(metrics, rowGap), OutputsHeight(metrics, rowGap));
}

QRect ButtonAt(int x, int y, const SignalFlowMetrics& metrics) {
    return {QPoint(x, y), metrics.button};
}

// Two buttons side by side per row inside `block`, from `top`.
void PlacePairs(QRect block, int top, const SignalFlowMetrics& metrics, QRect* buttons, int count) {
    const int step = metrics.button.width() + kButtonGap;
    for (int index = 0; index < count; ++index) {
        const int x = block.left() + kPadding + (index % 2) * step;
        const int y = top + (index / 2) * (metrics.button.height() + kButtonGap);
        buttons[index] = ButtonAt(x, y, metrics);
    }
}
}  // namespace

QSize SignalFlowMinimumSize(const SignalFlowMetrics& metrics) {
    const Columns columns = ColumnWidths(metrics);
    const int width = 2 * kMargin + columns.inputWidth + columns.effectWidth + columns.outputWidth +
                      3 * kMinimumColumnGap;
    return {width, 2 * kMargin + ContentHeight(metrics, kMinimumRowGap)};
}

SignalFlowLayout LayOutSignalFlow(QSize page, const SignalFlowMetrics& metrics) {
    const Columns columns = ColumnWidths(metrics);
    const QSize minimum = SignalFlowMinimumSize(metrics);
    const int spareWidth = std::max(page.width() - minimum.width(), 0);
    const int columnGap = std::min(kMinimumColumnGap + spareWidth / 5, kLargestColumnGap);
    const int spareHeight = std::max(page.height() - minimum.height(), 0);
    const int rowGap =
        std::min(kMinimumRowGap + spareHeight / (MainPageRules::kOutputRows + 2), kLargestRowGap);

    const int width =
        columns.inputWidth + columns.effectWidth + columns.outputWidth + 3 * columnGap;
    const int height = ContentHeight(metrics, rowGap);
    const int left = std::max(kMargin, (page.width() - width) / 2);
    const int top = std::max(kMargin, (page.height() - height) / 2);

    SignalFlowLayout layout;
    const int inputX = left;
    const int effectX = inputX + columns.inputWidth + columnGap;
    layout.busX = effectX + columns.effectWidth + columnGap;
    const int outputX = layout.busX + columnGap;
    const int titleHeight = metrics.captionHeight;
    layout.inputsTitle = {inputX, top, columns.inputWidth, titleHeight};
    layout.effectTitle = {effectX, top, columns.effectWidth, titleHeight};
    layout.outputsTitle = {outputX, top, columns.outputWidth, titleHeight};
    const int bodyTop = top + titleHeight + kPadding;
    const int rowHeight = RowHeight(metrics);

    layout.musicBlock = {inputX, bodyTop, columns.inputWidth, rowHeight};
    layout.musicButton = ButtonAt(inputX + kPadding, bodyTop + kPadding, metrics);

    const int effectTop = bodyTop + rowHeight + 2 * rowGap;
    layout.effectBlock = {effectX, effectTop, columns.effectWidth, EffectBlockHeight(metrics)};
    const int echoTop = effectTop + kPadding + titleHeight;
    layout.echoButton = ButtonAt(effectX + kPadding, echoTop, metrics);
    layout.reverbButton =
        ButtonAt(effectX + kPadding + metrics.button.width() + kButtonGap, echoTop, metrics);
    const int groupsCaptionTop = echoTop + metrics.button.height() + kButtonGap;
    layout.effectGroupsCaption = {effectX + kPadding, groupsCaptionTop,
                                  columns.effectWidth - 2 * kPadding, titleHeight};
    PlacePairs(layout.effectBlock, groupsCaptionTop + titleHeight, metrics,
               layout.effectGroupButtons.data(), MainPageRules::kEffectGroupCount);

    const int micTop = layout.effectBlock.center().y() - rowHeight / 2;
    layout.micBlock = {inputX, micTop, columns.inputWidth, rowHeight};
    layout.micButton = ButtonAt(inputX + kPadding, micTop + kPadding, metrics);
    layout.dryMicY = layout.effectBlock.bottom() + 2 * rowGap;

    const int scenesTop = layout.dryMicY + 2 * rowGap;
    layout.scenesBlock = {effectX, scenesTop, columns.effectWidth, TitledBlockHeight(metrics, 2)};
    PlacePairs(layout.scenesBlock, scenesTop + kPadding + titleHeight, metrics,
               layout.sceneButtons.data(), MainPageRules::kSceneCount);

    for (int row = 0; row < MainPageRules::kOutputRows; ++row) {
        SignalFlowOutputRow& output = layout.outputs.at(static_cast<size_t>(row));
        const int y = bodyTop + row * (rowHeight + rowGap);
        output.block = {outputX, y, columns.outputWidth, rowHeight};
        output.name = {outputX + kPadding, y, metrics.outputNameWidth, rowHeight};
        int x = output.name.right() + 1 + kButtonGap;
        for (QRect& button : output.buttons) {
            button = ButtonAt(x, y + kPadding, metrics);
            x += metrics.button.width() + kButtonGap;
        }
    }
    return layout;
}
