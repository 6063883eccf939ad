// SPDX-License-Identifier: GPL-3.0-or-later
// Small vector pictures of the kit, drawn into any square in one ink colour,
// so they stay sharp at every scale factor: the device's four source modes
// and the microphone's five feedback suppression states.
#pragma once

#include <QColor>
#include <QRectF>

class QPainter;

enum class KitPicture {
    Disc,       // DVD
    Screen,     // VOD
    MusicNote,  // BGM
    AutoCycle,  // AUTO
    MicOff,     // feedback suppression off
    MicWaves1,  // FBX1 .. FBX4: one to four arcs
    MicWaves2,
    MicWaves3,
    MicWaves4,
};

void PaintKitPicture(QPainter& painter, KitPicture picture, const QRectF& square,
                     const QColor& ink);
