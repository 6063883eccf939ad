// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/OutputCrossoverEdits.h"

#include <algorithm>

#include "model/Audio_Data.h"

CFilter& CrossoverFilter(CAudio_OutData& output, CrossoverSide side) {
    return side == CrossoverSide::HighPass ? output.GetHighPass() : output.GetLowPass();
}

CrossoverSide OtherCrossoverSide(CrossoverSide side) {
    return side == CrossoverSide::HighPass ? CrossoverSide::LowPass : CrossoverSide::HighPass;
}

int LimitCrossoverFrequency(CrossoverSide side, int hertz, int otherHertz) {
    const int inRange = std::clamp(hertz, kLowestCrossoverFrequency, kHighestCrossoverFrequency);
    return side == CrossoverSide::HighPass ? std::min(inRange, otherHertz)
                                           : std::max(inRange, otherHertz);
}

void SetCrossoverFrequency(CAudio_Data& program, int output, CrossoverSide side, int hertz) {
    CAudio_OutData& shown = program.GetOutput(output);
    const int otherHertz = CrossoverFilter(shown, OtherCrossoverSide(side)).GetFrequency();
    CrossoverFilter(shown, side).SetFrequency(LimitCrossoverFrequency(side, hertz, otherHertz));
    RepeatCrossoverOnLinkedOutputs(program, output, side);
}

void SetCrossoverSlope(CAudio_Data& program, int output, CrossoverSide side, int slope) {
    CrossoverFilter(program.GetOutput(output), side).SetSlope(slope);
    RepeatCrossoverOnLinkedOutputs(program, output, side);
}

void SetCrossoverFamily(CAudio_Data& program, int output, CrossoverSide side, int family) {
    CrossoverFilter(program.GetOutput(output), side).SetFamily(family);
    RepeatCrossoverOnLinkedOutputs(program, output, side);
}

void RepeatCrossoverOnLinkedOutputs(CAudio_Data& program, int output, CrossoverSide side) {
    const CFilter& shown = CrossoverFilter(program.GetOutput(output), side);
    program.GetOutputLinks().ForEachPartner(output, [&](CAudio_OutData& partner) {
        CFilter& follower = CrossoverFilter(partner, side);
        follower.SetFrequency(shown.GetFrequency());
        follower.SetSlope(shown.GetSlope());
        follower.SetFamily(shown.GetFamily());
    });
}
