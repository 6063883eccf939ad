// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/InputEqEdits.h"

#include "model/Audio_Data.h"

std::vector<int> InputsEditedWith(int channel) {
    if (channel == InputChannel::kMusicLeft) {
        return {InputChannel::kMusicLeft, InputChannel::kMusicRight};
    }
    return {channel};
}

void ApplyInputBandChange(CAudio_Data& program, int channel, int band, const BandChange& change) {
    for (int input : InputsEditedWith(channel)) {
        change(program.GetInput(input).GetBand(band));
    }
}

void FollowDraggedInputBand(CAudio_Data& program, int channel, int band) {
    const CFilter& dragged = program.GetInput(channel).GetBand(band);
    for (int input : InputsEditedWith(channel)) {
        if (input == channel) {
            continue;
        }
        // Copying the whole band, not the shown gain index: a bypassed band
        // shows 0 dB, and copying that would lose the follower's real gain.
        CFilter& follower = program.GetInput(input).GetBand(band);
        follower.CopyFrom(dragged);
        follower.SetDirty(1);
    }
}

bool ToggleInputAllBypass(CAudio_Data& program, int channel) {
    const int requested = program.GetInput(channel).UpdateAllBypassed() != 0 ? 0 : 1;
    for (int input : InputsEditedWith(channel)) {
        program.GetInput(input).SetAllBandsAllBypass(requested);
    }
    return program.GetInput(channel).UpdateAllBypassed() == requested;
}

bool SetInputHighPassFrequency(CAudio_InData& input, int hertz) {
    if (hertz > input.GetLowPass().GetFrequency()) {
        return false;
    }
    input.GetHighPass().SetFrequency(hertz);
    return true;
}

bool SetInputLowPassFrequency(CAudio_InData& input, int hertz) {
    if (hertz < input.GetHighPass().GetFrequency()) {
        return false;
    }
    input.GetLowPass().SetFrequency(hertz);
    return true;
}
