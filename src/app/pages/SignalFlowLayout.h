// SPDX-License-Identifier: GPL-3.0-or-later
// Where the blocks of the main page's signal-flow picture stand and where
// the buttons lie over them, for a page of a given size: the music and
// microphone inputs, the effect engine with its effect groups, the scene
// presets, the mixing bus and the six output rows. Painting and button
// placement both read this one layout, so a button can never stray from the
// block it belongs to.
//
// The constraint: the picture never shrinks below what its buttons need
// (`MinimumSize`); a larger page spreads the blocks out instead of
// stretching the buttons.
#pragma once

#include <QRect>
#include <QSize>
#include <array>

#include "app/pages/MainPageActions.h"

// What the layout needs to know of the page's font and buttons.
struct SignalFlowMetrics {
    QSize button;            // the widest button caption's button
    int captionHeight = 16;  // one line of block title
    int outputNameWidth = 48;
};

struct SignalFlowOutputRow {
    QRect block;
    QRect name;
    // EQ, X-Over, Level, then the output's own page button.
    std::array<QRect, 4> buttons{};
};

struct SignalFlowLayout {
    QRect inputsTitle;
    QRect effectTitle;
    QRect outputsTitle;
    QRect musicBlock;
    QRect musicButton;
    QRect micBlock;
    QRect micButton;
    QRect effectBlock;
    QRect echoButton;
    QRect reverbButton;
    QRect effectGroupsCaption;
    std::array<QRect, MainPageRules::kEffectGroupCount> effectGroupButtons{};
    QRect scenesBlock;
    std::array<QRect, MainPageRules::kSceneCount> sceneButtons{};
    // The dry microphone path runs under the effect engine at this height.
    int dryMicY = 0;
    int busX = 0;
    std::array<SignalFlowOutputRow, MainPageRules::kOutputRows> outputs{};
};

SignalFlowLayout LayOutSignalFlow(QSize page, const SignalFlowMetrics& metrics);
QSize SignalFlowMinimumSize(const SignalFlowMetrics& metrics);
