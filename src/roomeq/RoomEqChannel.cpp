// SPDX-License-Identifier: GPL-3.0-or-later
#include "roomeq/RoomEqChannel.h"

#include <array>

#include "model/Audio_Data.h"
#include "model/ChannelIndex.h"

namespace {
// Rows the input EQ page reaches (bands 1..13) and those the output page
// shows: seven on the main outputs, five on the others.
constexpr int kInputPageBands = 13;
constexpr int kMainOutputPageBands = 7;
constexpr int kOtherOutputPageBands = 5;
constexpr int kEffectPageBands = 3;
}  // namespace

std::optional<RoomEqChannel> ParseRoomEqChannel(std::string_view name) {
    for (const RoomEqChannel& channel : RoomEqChannels()) {
        if (name == RoomEqChannelName(channel)) {
            return channel;
        }
    }
    return std::nullopt;
}

std::string RoomEqChannelName(RoomEqChannel channel) {
    switch (channel.channel) {
        case PathChannel::Input:
            return "in" + std::to_string(channel.index);
        case PathChannel::Effect:
            return "fx";
        case PathChannel::Output:
            return "out" + std::to_string(channel.index);
    }
    return {};
}

std::vector<RoomEqChannel> RoomEqChannels() {
    std::vector<RoomEqChannel> channels{{PathChannel::Input, InputChannel::kMusicLeft},
                                        {PathChannel::Input, InputChannel::kMicrophone},
                                        {PathChannel::Effect, 0}};
    for (int output = 0; output < OutputKind::kCount; ++output) {
        channels.push_back({PathChannel::Output, output});
    }
    return channels;
}

int UsableBandCount(RoomEqChannel channel) {
    switch (channel.channel) {
        case PathChannel::Input:
            return kInputPageBands;
        case PathChannel::Effect:
            return kEffectPageBands;
        case PathChannel::Output:
            return channel.index <= OutputKind::kMainRight ? kMainOutputPageBands
                                                           : kOtherOutputPageBands;
    }
    return 0;
}

bool ShelvesPossible(RoomEqChannel channel) {
    return channel.channel != PathChannel::Effect;
}

namespace {
template <typename Program>
auto& ChainIn(Program& program, RoomEqChannel channel) {
    if (channel.channel == PathChannel::Input) {
        return program.GetInput(channel.index).GetChain();
    }
    if (channel.channel == PathChannel::Effect) {
        return program.GetEffect().GetChain();
    }
    return program.GetOutput(channel.index).GetChain();
}
}  // namespace

CEQ& ChainOf(CAudio_Data& program, RoomEqChannel channel) {
    return ChainIn(program, channel);
}

const CEQ& ChainOf(const CAudio_Data& program, RoomEqChannel channel) {
    return ChainIn(program, channel);
}

ChainSnapshot SnapshotChain(const CAudio_Data& program, RoomEqChannel channel) {
    ChainSnapshot snapshot;
    const CEQ& chain = ChainOf(program, channel);
    snapshot.bandCount = chain.GetBandCount();
    for (int i = 0; i < chain.GetCount(); ++i) {
        const CFilter& element = chain.GetElement(i);
        ElementResponseInput input;
        input.kind = element.GetType();
        input.frequency = element.GetFrequency();
        input.gain = element.GetGain();
        input.bandwidth = element.GetBandwidth();
        input.family = element.GetFamily();
        input.slope = element.GetSlope();
        input.bypassed = element.GetBypass() != 0 || element.GetAllBypass() != 0;
        snapshot.elements.push_back(input);
    }
    if (channel.channel == PathChannel::Output) {
        snapshot.outputGainCode = program.GetOutput(channel.index).GetGain();
    }
    return snapshot;
}
