// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/graph/GraphChannel.h"

#include "model/Audio_EffectData.h"
#include "model/Audio_InData.h"
#include "model/Audio_OutData.h"

namespace {
template <typename Channel, typename Action>
decltype(auto) Visit(const Channel& channel, Action&& action) {
    return std::visit([&](auto* alternative) -> decltype(auto) { return action(*alternative); },
                      channel);
}
}  // namespace

CEQ& GraphChannel::Chain() const {
    return Visit(channel_, [](auto& channel) -> CEQ& { return channel.GetChain(); });
}

const ChannelCurve& GraphChannel::Curve() const {
    return Visit(channel_, [](auto& channel) -> const ChannelCurve& { return channel.GetCurve(); });
}

Colour GraphChannel::CurveColour() const {
    return Visit(channel_, [](auto& channel) { return channel.GetCurveColour(); });
}

void GraphChannel::UpdateCurve() const {
    Visit(channel_, [](auto& channel) { channel.UpdateCurve(); });
}

void GraphChannel::EnsureLaidOut(const PixelRect& plot) const {
    Visit(channel_, [&plot](auto& channel) {
        const ChannelCurve& curve = channel.GetCurve();
        if (curve.GetPlotWidth() != plot.Width() || curve.GetPlotHeight() != plot.Height()) {
            channel.SetPlotRect(plot);
        }
    });
}
