// SPDX-License-Identifier: GPL-3.0-or-later
#include "roomeq/RoomEqEdits.h"

#include "model/Audio_Data.h"
#include "model/ChannelIndex.h"
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
    for (const RoomEqChannel& channel : ChannelsReached(program, fit.channel)) {
        for (size_t i = 0; i < fit.bands.size() && i < fit.bandIndices.size(); ++i) {
            const BandCode& band = fit.bands[i];
            const int index = fit.bandIndices[i];
            if (band.gainIndex == kFlatGainIndex) {
                // A band the fit had no use for is set flat, which bypasses it.
                edits.push_back(Edit(channel, index, "gain", kFlatGainIndex));
                continue;
            }
            if (channel.channel != PathChannel::Effect) {
                edits.push_back(Edit(channel, index, "type", band.type));
            }
            if (band.type == ElementType::kPeaking) {
                edits.push_back(Edit(channel, index, "q", band.bandwidthIndex));
            } else {
                edits.push_back(Edit(channel, index, "slope", band.slope));
            }
            edits.push_back(Edit(channel, index, "freq", band.frequency));
            edits.push_back(Edit(channel, index, "gain", band.gainIndex));
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
