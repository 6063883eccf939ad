// SPDX-License-Identifier: GPL-3.0-or-later
// A fit reaches a program as parameter edits through the pages' setters:
// exactly the fitted bands change, the music pair and linked outputs follow,
// an output that boosts is turned down, and the effect keeps its kinds.
#include <gtest/gtest.h>

#include <algorithm>
#include <variant>

#include "SyntheticRooms.h"
#include "model/Audio_Data.h"
#include "model/OutputLinkTable.h"
#include "roomeq/ChannelFit.h"
#include "roomeq/RoomEqEdits.h"

namespace {
PreparedMeasurement Prepare(const MeasurementCurve& curve) {
    MeasurementSettings settings;
    settings.positions = {curve};
    return std::get<PreparedMeasurement>(PrepareMeasurement(settings));
}

ChannelFit Fit(CAudio_Data& program, RoomEqChannel channel, ChannelFitOptions options) {
    return FitChannel(Prepare(LoudspeakerInRoom(2)), SnapshotChain(program, channel), channel,
                      options);
}

void Apply(CAudio_Data& program, const std::vector<ParameterEdit>& edits) {
    const std::optional<std::string> problem = CheckParameterEdits(program, edits);
    ASSERT_FALSE(problem) << *problem;
    ApplyParameterEdits(program, edits);
}

void ExpectBands(const CAudio_Data& program, RoomEqChannel channel, const ChannelFit& fit) {
    const CEQ& chain = ChainOf(program, channel);
    for (size_t i = 0; i < fit.bands.size(); ++i) {
        const BandCode& band = fit.bands[i];
        const CFilter& element = chain.GetElement(fit.bandIndices[i]);
        EXPECT_EQ(element.GetGainIndex(), band.gainIndex) << RoomEqChannelName(channel) << i;
        if (band.gainIndex == kFlatGainIndex) {
            continue;
        }
        EXPECT_EQ(element.GetType(), band.type);
        EXPECT_EQ(element.GetFrequency(), band.frequency);
        if (band.type == ElementType::kPeaking) {
            EXPECT_EQ(element.GetBandwidthIndex(), band.bandwidthIndex);
        } else {
            EXPECT_EQ(element.GetSlope(), band.slope);
        }
    }
}

TEST(RoomEqEdits, SetExactlyTheFittedBandsAndTurnTheOutputDown) {
    CAudio_Data program;
    const RoomEqChannel centre{PathChannel::Output, 2};
    program.GetOutput(2).GetChain().GetElement(4).SetGainIndex(150);  // the fifth band, left alone
    program.GetOutput(2).SetGain(40);
    const ChannelFit fit = Fit(program, centre, {4, 6.0, true});
    ASSERT_EQ(fit.bandIndices, (std::vector<int>{0, 1, 2, 3}));
    Apply(program, RoomEqEdits(program, fit));
    ExpectBands(program, centre, fit);
    EXPECT_EQ(program.GetOutput(2).GetChain().GetElement(4).GetGainIndex(), 150);
    ASSERT_GT(fit.largestBoostDb, 0.0);
    EXPECT_EQ(program.GetOutput(2).GetGain(), 40 + fit.outputGainChangeDb);
    // Nothing else of the program moved.
    EXPECT_EQ(program.GetOutput(3).GetChain().GetElement(0).GetGainIndex(), kFlatGainIndex);
    EXPECT_EQ(program.GetOutput(3).GetGain(), 40);
}

TEST(RoomEqEdits, TheMusicPairAndLinkedOutputsFollow) {
    CAudio_Data program;
    const RoomEqChannel music{PathChannel::Input, 0};
    const ChannelFit musicFit = Fit(program, music, {6, 6.0, true});
    const std::vector<ParameterEdit> musicEdits = RoomEqEdits(program, musicFit);
    Apply(program, musicEdits);
    ExpectBands(program, music, musicFit);
    ExpectBands(program, {PathChannel::Input, 1}, musicFit);
    EXPECT_EQ(program.GetInput(2).GetChain().GetElement(0).GetGainIndex(), kFlatGainIndex);

    program.GetOutputLinks().SetGroup(1, program.GetOutputLinks().GetGroup(0));
    const RoomEqChannel left{PathChannel::Output, 0};
    const ChannelFit outputFit = Fit(program, left, {7, 6.0, true});
    Apply(program, RoomEqEdits(program, outputFit));
    ExpectBands(program, left, outputFit);
    ExpectBands(program, {PathChannel::Output, 1}, outputFit);
    EXPECT_EQ(program.GetOutput(0).GetGain(), program.GetOutput(1).GetGain());
}

TEST(RoomEqEdits, TheEffectKeepsItsPeakingBands) {
    CAudio_Data program;
    const RoomEqChannel effect{PathChannel::Effect, 0};
    const ChannelFit fit = Fit(program, effect, {0, 6.0, true});
    ASSERT_EQ(fit.bands.size(), 3u);
    for (const BandCode& band : fit.bands) {
        EXPECT_EQ(band.type, ElementType::kPeaking);
    }
    const std::vector<ParameterEdit> edits = RoomEqEdits(program, fit);
    EXPECT_TRUE(std::ranges::none_of(
        edits, [](const ParameterEdit& edit) { return edit.path.field == "type"; }));
    Apply(program, edits);
    ExpectBands(program, effect, fit);
}

TEST(RoomEqEdits, EditOnlyWhatDiffers) {
    CAudio_Data program;
    const RoomEqChannel centre{PathChannel::Output, 2};
    const ChannelFit fit = Fit(program, centre, {5, 6.0, true});
    Apply(program, RoomEqEdits(program, fit));
    // Applied once, the same bands have nothing left to change (the output's
    // gain change is a step down from where it stood, so it is left out here).
    ChannelFit again = fit;
    again.outputGainChangeDb = 0;
    EXPECT_TRUE(RoomEqEdits(program, again).empty());
}

TEST(RoomEqChannel, NamesAndBandCounts) {
    EXPECT_EQ(ParseRoomEqChannel("in0"), (RoomEqChannel{PathChannel::Input, 0}));
    EXPECT_EQ(ParseRoomEqChannel("fx"), (RoomEqChannel{PathChannel::Effect, 0}));
    EXPECT_EQ(ParseRoomEqChannel("out5"), (RoomEqChannel{PathChannel::Output, 5}));
    EXPECT_FALSE(ParseRoomEqChannel("in1"));
    EXPECT_FALSE(ParseRoomEqChannel("out6"));
    EXPECT_EQ(UsableBandCount({PathChannel::Input, 0}), 13);
    EXPECT_EQ(UsableBandCount({PathChannel::Output, 1}), 7);
    EXPECT_EQ(UsableBandCount({PathChannel::Output, 2}), 5);
    EXPECT_EQ(UsableBandCount({PathChannel::Effect, 0}), 3);
    EXPECT_TRUE(CheckFitOptions({PathChannel::Output, 2}, {6, 6.0, true}));
    EXPECT_TRUE(CheckFitOptions({PathChannel::Output, 2}, {5, 10.5, true}));
    EXPECT_FALSE(CheckFitOptions({PathChannel::Output, 2}, {5, 6.0, true}));
}
}  // namespace
