// SPDX-License-Identifier: GPL-3.0-or-later
// The one palette of the control kit: every painted control takes its
// colours, corner radius and focus ring from here, so the editor reads as one
// surface. States are never told by colour alone; the controls add text or
// shape, and these colours only reinforce them.
#pragma once

#include <QColor>

namespace KitPalette {
// The view's own background, on which every control stands.
inline QColor Window() {
    return {229, 236, 245};
}
inline QColor Face() {
    return {250, 252, 255};
}
inline QColor FaceHover() {
    return {236, 244, 255};
}
inline QColor FaceDisabled() {
    return {232, 235, 240};
}
inline QColor Border() {
    return {112, 128, 150};
}
inline QColor Text() {
    return {18, 26, 38};
}
inline QColor TextDisabled() {
    return {140, 148, 160};
}
inline QColor TextOnAccent() {
    return {255, 255, 255};
}
// A pressed page or block button, and the filled part of a slider.
inline QColor Accent() {
    return {22, 96, 190};
}
inline QColor AccentDark() {
    return {12, 62, 130};
}
// A switch that is on, a connected link.
inline QColor On() {
    return {28, 140, 64};
}
inline QColor Off() {
    return {130, 136, 146};
}
// A switch whose on state takes something out of the signal (All Bypass).
inline QColor Warning() {
    return {214, 120, 0};
}
inline QColor Danger() {
    return {196, 40, 40};
}
inline QColor Focus() {
    return {255, 166, 0};
}
// The signal-flow picture.
inline QColor FlowLine() {
    return {60, 78, 104};
}
inline QColor FlowBlock() {
    return {255, 255, 255};
}
inline QColor FlowCaption() {
    return {52, 66, 88};
}

inline constexpr double kCornerRadius = 4.0;
inline constexpr int kFocusWidth = 2;
}  // namespace KitPalette
