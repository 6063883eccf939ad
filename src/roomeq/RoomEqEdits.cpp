// SPDX-License-Identifier: GPL-3.0-or-later
#include "roomeq/RoomEqEdits.h"

#include "model/Audio_Data.h"
#include "model/ChannelIndex.h"
#include "model/EQ.h"
#include "model/OutputLinkTable.h"

namespace {
// The channel itself first, then those that follow it.
std::vector<RoomEqChannel> ChannelsReached(CAudio_Data& program, RoomEqChannel channel) {
    std::vector<RoomEqChannel> reached{channel};
    if (channel.channel == PathChannel::Input && channel.index == InputChannel::kMusicLeft) {
        reached.push_back({PathChannel::Input, InputChannel::kMusicRight});
    }
    if (channel.channel == PathChannel::Output) {
        COutputLinkTable& links = program.GetOutputLinks();
        const int group = links.GetGroup(channel.index);
        for (int output = 0; output < OutputKind::kCount; ++output) {
            if (output != channel.index && links.GetGroup(output) == group) {
                reached.push_back({PathChannel::Output, output});
            }
        }
    }
    return reached;
}

ParameterEdit Edit(RoomEqChannel channel, int band, const char* field, int32_t code) {
    ParameterPath path;
    path.channel = channel.channel;
    path.index = channel.index;
    path.element = PathElement::Band;
    path.band = band;
    path.field = field;
    ParameterEdit edit{path, code, {}};
    edit.written = FormatParameterPath(path) + "=" + std::to_string(code);
    return edit;
}
}  // namespace

std::vector<ParameterEdit> RoomEqEdits(CAudio_Data& program, const ChannelFit& fit) {
    std::vector<ParameterEdit> edits;
    // Only what differs is edited, so that only rows that change are sent.
    const auto edit = [&](RoomEqChannel channel, int band, const char* field, int32_t now,
                          int32_t code) {
        if (now != code) {
            edits.push_back(Edit(channel, band, field, code));
        }
    };
    for (const RoomEqChannel& channel : ChannelsReached(program, fit.channel)) {
        const CEQ& chain = ChainOf(program, channel);
        for (size_t i = 0; i < fit.bands.size() && i < fit.bandIndices.size(); ++i) {
            const BandCode& band = fit.bands[i];
            const int index = fit.bandIndices[i];
            const CFilter& element = chain.GetElement(index);
            if (band.gainIndex == kFlatGainIndex) {
                // A band the fit had no use for is set flat, which bypasses it.
                edit(channel, index, "gain", element.GetGainIndex(), kFlatGainIndex);
                continue;
            }
            if (channel.channel != PathChannel::Effect) {
                edit(channel, index, "type", element.GetType(), band.type);
            }
            if (band.type == ElementType::kPeaking) {
                edit(channel, index, "q", element.GetBandwidthIndex(), band.bandwidthIndex);
            } else {
                edit(channel, index, "slope", element.GetSlope(), band.slope);
            }
            edit(channel, index, "freq", element.GetFrequency(), band.frequency);
            edit(channel, index, "gain", element.GetGainIndex(), band.gainIndex);
        }
        if (channel.channel == PathChannel::Output && fit.outputGainChangeDb != 0) {
            ParameterPath path;
            path.channel = PathChannel::Output;
            path.index = channel.index;
            path.field = "gain";
            const int32_t code =
                program.GetOutput(channel.index).GetGain() + fit.outputGainChangeDb;
            edits.push_back({path, code, FormatParameterPath(path) + "=" + std::to_string(code)});
        }
    }
    return edits;
}
