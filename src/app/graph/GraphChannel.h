// SPDX-License-Identifier: GPL-3.0-or-later
// The one channel a response graph shows, whichever kind it is: its chain,
// its display curve and colour. Input, output and effect channels are
// different classes with the same drawing members; this gives the graph one
// shape for all three. Several graphs share the program, each with its own
// size, so the channel is laid out again whenever another graph last did.
#pragma once

#include <variant>

#include "curves/Geometry.h"
#include "model/Colour.h"

class CAudio_InData;
class CAudio_OutData;
class CAudio_EffectData;
class CEQ;
class ChannelCurve;

class GraphChannel {
  public:
    explicit GraphChannel(CAudio_InData& input) : channel_(&input) {}
    explicit GraphChannel(CAudio_OutData& output) : channel_(&output) {}
    explicit GraphChannel(CAudio_EffectData& effect) : channel_(&effect) {}

    CEQ& Chain() const;
    const ChannelCurve& Curve() const;
    Colour CurveColour() const;

    // Redraws the display curve from the chain's current responses.
    void UpdateCurve() const;
    // Lays the channel out in `plot` unless it already is.
    void EnsureLaidOut(const PixelRect& plot) const;

  private:
    std::variant<CAudio_InData*, CAudio_OutData*, CAudio_EffectData*> channel_;
};
