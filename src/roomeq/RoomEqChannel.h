// SPDX-License-Identifier: GPL-3.0-or-later
// The channels a room fit can correct, named as parameter paths name them:
// the music pair (in0, which the music page also gives to in1), the
// microphone (in2), the effect (fx) and each output (out0..out5, with the
// outputs linked to it). Which of a channel's bands the fit may use is what
// its page shows; the rest stay as they are.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "curves/Response.h"
#include "model/ParameterPath.h"

class CAudio_Data;
class CEQ;

struct RoomEqChannel {
    PathChannel channel = PathChannel::Input;
    int index = 0;
    friend bool operator==(const RoomEqChannel&, const RoomEqChannel&) = default;
};

// "in0", "in2", "fx", "out0".."out5"; nothing for any other name (in1 is set through in0).
std::optional<RoomEqChannel> ParseRoomEqChannel(std::string_view name);
std::string RoomEqChannelName(RoomEqChannel channel);
// Every channel a fit can correct, in the order the menus list them.
std::vector<RoomEqChannel> RoomEqChannels();

// The bands of the channel that its page shows (and so the fit may use), from the first.
int UsableBandCount(RoomEqChannel channel);
// The effect page cannot change a band's kind, so its bands stay peaking.
bool ShelvesPossible(RoomEqChannel channel);

CEQ& ChainOf(CAudio_Data& program, RoomEqChannel channel);
const CEQ& ChainOf(const CAudio_Data& program, RoomEqChannel channel);

// The chain as the response maths sees it: its bands, then its two crossovers.
struct ChainSnapshot {
    std::vector<ElementResponseInput> elements;
    int bandCount = 0;
    // The output's gain code (dB + 40), or -1 on a channel without one that the device uses.
    int outputGainCode = -1;
};

ChainSnapshot SnapshotChain(const CAudio_Data& program, RoomEqChannel channel);
