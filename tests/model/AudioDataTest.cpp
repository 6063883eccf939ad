// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "curves/GraphScale.h"
#include "model/Audio_Data.h"

namespace {

TEST(AudioData, NewProgramNamesEveryChannel) {
    CAudio_Data program;
    EXPECT_EQ(program.GetName(), "NewProgram");
    EXPECT_EQ(program.GetInput(0).GetName(), "A");
    EXPECT_EQ(program.GetInput(1).GetName(), "B");
    EXPECT_EQ(program.GetInput(2).GetName(), "C");
    for (int i = 0; i < CAudio_OutRoute::kCount; ++i) {
        EXPECT_EQ(program.GetOutput(i).GetName(), std::to_string(i + 1));
        EXPECT_EQ(program.GetOutputLinks().GetGroup(i), i);
    }
}

TEST(AudioData, ImagePlacesEveryRecordAtItsOffset) {
    CAudio_Data program;
    program.GetInput(2).SetLevel(77);
    program.GetEffect().SetEffectParam(EffectParam::kNoiseGate, 66);
    program.GetOutput(5).SetGain(44);
    program.BuildImage();
    const auto& image = program.GetImage();
    EXPECT_EQ(image[0], 'A');
    EXPECT_EQ(image[152], 'B');
    EXPECT_EQ(image[304], 'C');
    EXPECT_EQ(image[304 + 8], 77);
    EXPECT_EQ(image[456 + 5], 66);
    EXPECT_EQ(image[456 + 16 + 2], 2) << "effect crossover family";
    EXPECT_EQ(image[504], '1');
    EXPECT_EQ(image[944], '6');
    EXPECT_EQ(image[944 + 14], 44);
    EXPECT_EQ(image[1030], 200) << "gain index of output 5's band 6, the last row";
    EXPECT_EQ(image[1031], 0);
}

TEST(AudioData, RebuildingOneRecordLeavesItsNeighbours) {
    CAudio_Data program;
    program.GetImage().fill(0xEE);
    program.BuildOutputRecord(2);
    const auto& image = program.GetImage();
    EXPECT_EQ(image[679], 0xEE);
    EXPECT_EQ(image[680], '3');
    EXPECT_EQ(image[766], 200);
    EXPECT_EQ(image[767], 0);
    EXPECT_EQ(image[768], 0xEE);

    program.BuildEffectRecord();
    EXPECT_EQ(image[455], 0xEE);
    EXPECT_EQ(image[456], 0);
    EXPECT_EQ(image[502], 200);
    EXPECT_EQ(image[503], 0);
    EXPECT_EQ(image[504], 0xEE);
}

TEST(AudioData, LoadBlockSetsChannelsButKeepsTheProgramName) {
    CAudio_Data source;
    source.GetOutput(3).SetDelay(-20);
    source.GetEffect().SetEffectParam(EffectParam::kEchoVolume, 42);
    source.BuildImage();
    CAudio_Data::Block block = source.GetImage();
    const uint8_t inputName[8] = {'A', 'B', 0, 0, 0, 0, 0, 0};
    std::copy(std::begin(inputName), std::end(inputName), block.begin());
    block[8] = 55;
    std::memcpy(block.data() + 1032, "DeviceProgram\0\0\0", 16);

    CAudio_Data program;
    program.LoadBlock(block);
    EXPECT_EQ(program.GetName(), "NewProgram");
    EXPECT_EQ(program.GetInput(0).GetName(), "AB");
    EXPECT_EQ(program.GetInput(0).GetLevel(), 55);
    EXPECT_EQ(program.GetOutput(3).GetDelay(), -20);
    EXPECT_EQ(program.GetEffect().GetEffectParam(EffectParam::kEchoVolume), 42);
    EXPECT_EQ(program.GetImage(), block);
}

TEST(AudioData, ClearPendingChangesKeepsOnlyUnfinishedCrossoverSteps) {
    CAudio_Data program;
    program.GetInput(0).SetLevel(1);
    program.GetInput(1).SetName("x");
    program.GetInput(2).GetBand(5).SetGainIndex(210);
    program.GetEffect().SetEffectParam(0, 1);
    program.GetEffect().SetEffectParam(9, 1);
    program.GetEffect().SetEffectMode(3);
    program.GetOutput(4).SetGain(30);
    program.GetOutput(4).SetMixMic(3);
    program.GetOutput(4).SetPolarity(0);
    program.GetOutput(4).SetName("y");
    program.GetOutput(1).GetHighPass().SetFrequency(1000);

    program.ClearPendingChanges();
    EXPECT_EQ(program.GetInput(0).IsParamsChanged(), 0);
    EXPECT_EQ(program.GetInput(1).IsNameChanged(), 0);
    EXPECT_EQ(program.GetInput(2).GetBand(5).IsDirty(), 0);
    const CAudio_EffectData& effect = program.GetEffect();
    EXPECT_EQ(effect.IsFirstRowChanged() + effect.IsSecondRowChanged() + effect.IsModeChanged(), 0);
    const CAudio_OutData& output = program.GetOutput(4);
    EXPECT_EQ(output.IsGainChanged() + output.IsMixChanged() + output.IsMiscChanged() +
                  output.IsNameChanged(),
              0);
    CFilter& highPass = program.GetOutput(1).GetHighPass();
    EXPECT_EQ(highPass.IsDirty(), 1) << "the device still holds 20 Hz";
    EXPECT_EQ(highPass.GetSentFrequency(), 40);
}

TEST(AudioData, LinkingCopiesTheFirstOutputAndResetUnlinksAll) {
    CAudio_Data program;
    program.GetOutput(4).SetGain(33);
    program.GetOutput(4).SetMixMusic(20);
    program.LinkOutputs(4, 5, true);
    EXPECT_EQ(program.GetOutput(5).GetGain(), 33);
    EXPECT_EQ(program.GetOutput(5).GetMixMusicR(), 20);

    program.GetOutput(5).SetGain(36);
    EXPECT_EQ(program.GetOutput(4).GetGain(), 36);

    program.ResetOutputLinks();
    program.GetOutput(5).SetGain(38);
    EXPECT_EQ(program.GetOutput(4).GetGain(), 36);
}

TEST(AudioData, ChannelCurveIsShiftedByTheChannelGain) {
    CAudio_Data program;
    const PixelRect plot{0, 0, 720, 300};
    program.SetPlotRect(plot);
    const GraphScale scale(plot.Width(), plot.Height());
    const int flat = program.GetOutput(0).GetChain().GetSumCurve()[100].y;

    program.GetOutput(0).SetGain(46);
    EXPECT_EQ(program.GetOutput(0).GetCurve().Points()[100].y,
              flat + scale.DbToY(6) - scale.DbToY(0));
    program.GetInput(1).SetGain(30);
    program.GetInput(1).UpdateCurve();
    EXPECT_EQ(program.GetInput(1).GetCurve().Points()[100].y,
              flat + scale.DbToY(-10) - scale.DbToY(0));
    EXPECT_EQ(program.GetEffect().GetCurve().Points()[100].y, flat);
    EXPECT_EQ(program.GetInput(1).GetCurve().GetPlotWidth(), 720);
}

}  // namespace
