// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <vector>

#include "model/Archive.h"
#include "model/Audio_EffectData.h"

namespace {

TEST(EffectData, NewEffectSendsZeroParametersAndAFixedCrossoverShape) {
    CAudio_EffectData effect;
    effect.GetHighPass().SetFamily(0);
    const auto r = effect.BuildRecord();
    EXPECT_EQ(std::vector<uint8_t>(r.begin(), r.begin() + 16), std::vector<uint8_t>(16, 0));
    EXPECT_EQ(std::vector<uint8_t>(r.begin() + 16, r.begin() + 24),
              (std::vector<uint8_t>{0x14, 0, 2, 3, 0x20, 0x4E, 2, 3}));
    // Band 1 at 33 Hz in the second band row.
    EXPECT_EQ(r[32 + 4], 33);
    EXPECT_EQ(effect.GetEffectMode(), 1);
    EXPECT_EQ(effect.GetEffectMute(), 1);
}

TEST(EffectData, EachParameterFlagsOnlyItsOwnRow) {
    struct Case {
        int index;
        int first;
        int second;
    };
    for (const Case& test :
         {Case{EffectParam::kReverbDirect, 1, 0}, Case{EffectParam::kNoiseGate, 1, 0},
          Case{EffectParam::kEchoHighRatio, 1, 0}, Case{EffectParam::kLeftEchoDelay, 0, 1},
          Case{EffectParam::kRightEchoRepeat, 0, 1}}) {
        CAudio_EffectData effect;
        effect.SetEffectParam(test.index, 9);
        EXPECT_EQ(effect.IsFirstRowChanged(), test.first) << test.index;
        EXPECT_EQ(effect.IsSecondRowChanged(), test.second) << test.index;
        EXPECT_EQ(effect.IsModeChanged(), 0);
        EXPECT_EQ(effect.BuildRecord()[test.index], 9);
    }
    CAudio_EffectData effect;
    effect.SetEffectMode(4);
    EXPECT_EQ(effect.IsModeChanged(), 1);
    EXPECT_EQ(effect.IsFirstRowChanged() + effect.IsSecondRowChanged(), 0);
}

TEST(EffectData, LoadRecordTakesParametersAndBandsButNotTheMode) {
    CAudio_EffectData effect;
    effect.SetEffectMode(6);
    CAudio_EffectData::Record r{};
    for (int i = 0; i < EffectParam::kCount; ++i) {
        r[i] = static_cast<uint8_t>(100 + i);
    }
    const uint8_t crossover[8] = {0x64, 0, 2, 3, 0x88, 0x13, 2, 3};
    std::copy(std::begin(crossover), std::end(crossover), r.begin() + 16);
    const uint8_t band[8] = {2, 1, 1, 0, 0xA0, 0x0F, 0xDC, 0};  // high shelf 4000 Hz +2 dB
    std::copy(std::begin(band), std::end(band), r.begin() + 24 + 16);
    effect.LoadRecord(r);

    EXPECT_EQ(effect.GetEffectMode(), 6);
    EXPECT_EQ(effect.GetEffectParam(EffectParam::kOutputLevel), 106);
    EXPECT_EQ(effect.GetEffectParam(EffectParam::kEchoDirect), 115);
    EXPECT_EQ(effect.GetBand(2).GetType(), ElementType::kHighShelf);
    EXPECT_EQ(effect.GetBand(2).GetFrequency(), 4000);
    EXPECT_EQ(effect.GetHighPass().GetFrequency(), 100);
    EXPECT_EQ(effect.GetLowPass().GetFrequency(), 5000);
    EXPECT_EQ(effect.IsFirstRowChanged() + effect.IsSecondRowChanged(), 0);
}

TEST(EffectData, FileRecordPutsMuteAndModeBetweenTheParameters) {
    CAudio_EffectData effect;
    for (int i = 0; i < EffectParam::kCount; ++i) {
        effect.SetEffectParam(i, static_cast<uint8_t>(i + 1));
    }
    CArchive archive = CArchive::ForStoring();
    effect.Serialize(archive);
    const std::vector<uint8_t>& bytes = archive.StoredBytes();
    ASSERT_EQ(bytes.size(), 21u + 5u * 60u);
    const std::vector<uint8_t> head(bytes.begin(), bytes.begin() + 21);
    const std::vector<uint8_t> expected{
        1, 2,  3,  4,  5,  6,  7,  // parameters 0..6
        1, 0,  0,  0,              // effect mute
        8, 1,                      // parameter 7, effect mode
        9, 10, 11, 12, 13, 14, 15, 16,
    };
    EXPECT_EQ(head, expected);
}

}  // namespace
