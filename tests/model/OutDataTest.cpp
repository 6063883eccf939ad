// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <vector>

#include "model/Archive.h"
#include "model/Audio_Routes.h"

namespace {

using Record = CAudio_OutData::Record;

struct MixLevels {
    int micL, micR, musicL, musicR;
    friend bool operator==(const MixLevels&, const MixLevels&) = default;
};

MixLevels MixOf(const CAudio_OutData& output) {
    return {output.GetMixMicL(), output.GetMixMicR(), output.GetMixMusicL(), output.GetMixMusicR()};
}

std::ostream& operator<<(std::ostream& out, const MixLevels& mix) {
    return out << mix.micL << "/" << mix.micR << "/" << mix.musicL << "/" << mix.musicR;
}

TEST(OutData, NewOutputsHaveTheirKindsMixDefaults) {
    CAudio_OutRoute outputs;
    const std::vector<MixLevels> expected{
        {99, 0, 99, 0}, {0, 99, 0, 99}, {99, 99, 50, 50},
        {0, 0, 99, 99}, {99, 0, 99, 0}, {0, 99, 0, 99},
    };
    for (int i = 0; i < CAudio_OutRoute::kCount; ++i) {
        const CAudio_OutData& output = outputs.GetAt(i);
        EXPECT_EQ(output.GetName(), std::to_string(i + 1));
        EXPECT_EQ(output.GetOutputKind(), i);
        EXPECT_EQ(MixOf(output), expected[i]) << "output " << i;
        EXPECT_EQ(
            output.GetMicOnL() + output.GetMicOnR() + output.GetMusicOnL() + output.GetMusicOnR(),
            4);
    }
    EXPECT_EQ(outputs.GetAt(2).GetCurveColour(), OpaqueColour(255, 255, 196));
    EXPECT_EQ(outputs.GetAt(0).GetLimiterThreshold(), 80);
    EXPECT_EQ(outputs.GetAt(0).GetStoredByteH(), 17);
}

TEST(OutData, SetOutputKindOutsideTheSixKindsKeepsTheMix) {
    CAudio_OutData output(0, nullptr);
    output.SetOutputKind(3);
    EXPECT_EQ(MixOf(output), (MixLevels{0, 0, 99, 99}));
    output.SetOutputKind(9);
    EXPECT_EQ(output.GetOutputKind(), 9);
    EXPECT_EQ(MixOf(output), (MixLevels{0, 0, 99, 99}));
}

TEST(OutData, RecordCarriesEachFieldAtItsByte) {
    CAudio_OutData output(3, nullptr);
    output.SetName("Sub");
    output.SetLimiterThreshold(-3);
    output.SetLimiterAttack(9);
    output.SetLimiterRelease(5);
    output.SetDelay(300);
    output.SetGain(0x1FF);  // only the low 8 bits fit the record
    output.SetMixMicBoth(7);
    output.SetMusicOn(0);
    output.GetHighPass().SetFamily(1);
    output.GetHighPass().SetSlope(2);

    const Record r = output.BuildRecord();
    const std::vector<uint8_t> head(r.begin(), r.begin() + 40);
    const std::vector<uint8_t> expected{
        'S',  'u',  'b',  0,
        0,    0,    0,    0,  // name
        0xFD, 0xFF, 9,    5,
        0x2C, 0x01, 0xFF, 0,  // threshold -3, attack, release, delay, gain, 0
        0x14, 0x00, 1,    2,
        0x20, 0x4E, 0,    0,  // crossover with the output's family/slope
        7,    7,    99,   99,
        1,    1,    0,    0,  // mix levels and switches
        0,    0,    0x1D, 0x00,
        0x2F, 0x00, 200,  0,  // band 0: 47 Hz, bypassed
    };
    EXPECT_EQ(head, expected);
}

TEST(OutData, LoadRecordReadsSignedSixteenBitValues) {
    CAudio_OutData output(0, nullptr);
    Record r = output.BuildRecord();
    r[8] = 0xF6;  // threshold -10
    r[9] = 0xFF;
    r[12] = 0xFF;  // delay -1
    r[13] = 0xFF;
    r[14] = 200;
    r[15] = 0x55;
    r[28] = 0;
    r[31] = 2;
    output.LoadRecord(r);
    EXPECT_EQ(output.GetLimiterThreshold(), -10);
    EXPECT_EQ(output.GetDelay(), -1);
    EXPECT_EQ(output.GetGain(), 200);
    EXPECT_EQ(output.GetMicOnL(), 0);
    EXPECT_EQ(output.GetMusicOnR(), 2);
    EXPECT_EQ(output.IsGainChanged() + output.IsMixChanged() + output.IsNameChanged(), 0);
    EXPECT_EQ(output.BuildRecord()[15], 0) << "byte 15 is never sent as anything else";
}

class LinkedOutputs : public ::testing::Test {
  protected:
    CAudio_OutData& Out(int index) { return outputs.GetAt(index); }
    void Link(int first, int second) {
        outputs.GetLinks().SetGroup(first, first);
        outputs.GetLinks().SetGroup(second, first);
    }
    void ClearFlags() {
        for (CAudio_OutData& output : outputs) {
            output.SetGainChanged(0);
            output.SetMixChanged(0);
        }
    }

    CAudio_OutRoute outputs;
};

TEST_F(LinkedOutputs, WithoutLinksNoSetterReachesAnotherOutput) {
    Out(0).SetGain(46);
    Out(0).SetMixMic(10);
    for (int i = 1; i < CAudio_OutRoute::kCount; ++i) {
        EXPECT_EQ(Out(i).GetGain(), 40);
        EXPECT_EQ(Out(i).IsGainChanged(), 0);
        EXPECT_EQ(Out(i).IsMixChanged(), 0);
    }
}

TEST_F(LinkedOutputs, LevelSetIsCopiedWhole) {
    Link(0, 1);
    Out(0).SetLimiterAttack(3);
    ClearFlags();
    Out(0).SetGain(46);
    EXPECT_EQ(Out(1).GetGain(), 46);
    EXPECT_EQ(Out(1).GetLimiterAttack(), 3);
    EXPECT_EQ(Out(0).IsGainChanged(), 1);
    EXPECT_EQ(Out(1).IsGainChanged(), 1);
    EXPECT_EQ(Out(2).IsGainChanged(), 0);

    Out(1).SetDelay(-4);
    EXPECT_EQ(Out(0).GetDelay(), -4) << "the link works both ways";
}

TEST_F(LinkedOutputs, MixCrossesFromLeftToRight) {
    Link(0, 1);
    Out(0).SetMixMusic(33);
    ClearFlags();
    Out(0).SetMixMic(70);
    EXPECT_EQ(Out(0).GetMixMicL(), 70);
    EXPECT_EQ(Out(1).GetMixMicR(), 70);
    EXPECT_EQ(Out(1).GetMixMusicR(), 33);
    EXPECT_EQ(Out(1).GetMixMicL(), 0) << "the right output's own left levels stay";
    EXPECT_EQ(Out(1).IsMixChanged(), 1);
    EXPECT_EQ(Out(1).GetMixMic(), 70);
}

TEST_F(LinkedOutputs, MixCrossesFromRightToLeftAndSwitchesFollowTheLeftSwitch) {
    Link(4, 5);
    Out(5).SetMixMusic(12);
    EXPECT_EQ(Out(5).GetMixMusicR(), 12);
    EXPECT_EQ(Out(4).GetMixMusicL(), 12);
    Out(5).SetMicOn(0);
    EXPECT_EQ(Out(4).GetMicOnL(), 0);
    EXPECT_EQ(Out(4).GetMicOnR(), 0);
    EXPECT_EQ(Out(0).GetMicOnL(), 1) << "main left is in another group";
}

TEST_F(LinkedOutputs, CentreAndSubwooferCopyAllFourLevels) {
    Link(2, 3);
    Out(2).SetMixMusicBoth(61);
    EXPECT_EQ(MixOf(Out(3)), (MixLevels{99, 99, 61, 61}));
}

TEST_F(LinkedOutputs, CopyLinkedFromTakesTheOtherSideWithoutFlags) {
    CAudio_OutData& left = Out(0);
    left.SetPolarity(0);
    left.SetGain(35);
    left.SetDelay(12);
    left.SetLimiterThreshold(60);
    left.SetLimiterRelease(4);
    left.SetMixMic(20);
    left.SetMixMusic(30);
    left.SetMusicOn(0);
    left.GetBand(3).SetGainIndex(260);
    left.GetHighPass().SetFrequency(120);
    ClearFlags();

    CAudio_OutData& right = Out(1);
    right.CopyLinkedFrom(left);
    EXPECT_EQ(right.GetPolarity(), 0);
    EXPECT_EQ(right.GetGain(), 35);
    EXPECT_EQ(right.GetDelay(), 12);
    EXPECT_EQ(right.GetLimiterThreshold(), 60);
    EXPECT_EQ(right.GetLimiterRelease(), 4);
    EXPECT_EQ(MixOf(right), (MixLevels{0, 20, 0, 30}));
    EXPECT_EQ(right.GetMusicOnL(), 0);
    EXPECT_EQ(right.GetBand(3).GetGainIndex(), 260);
    EXPECT_EQ(right.GetHighPass().GetFrequency(), 120);
    EXPECT_EQ(right.IsGainChanged() + right.IsMixChanged() + right.IsMiscChanged(), 0);
}

TEST(OutData, StoredValueSettersRaiseOnlyTheMiscellaneousFlag) {
    CAudio_OutData output(0, nullptr);
    output.SetStoredByteC(2);
    output.SetPolarity(0);
    output.SetSwitchBits(3);
    output.SetStoredIntegerD(5);
    EXPECT_EQ(output.IsMiscChanged(), 1);
    EXPECT_EQ(output.IsGainChanged() + output.IsMixChanged() + output.IsNameChanged(), 0);
}

TEST(OutData, FileRecordHasTheFieldsInOrder) {
    CAudio_OutData output(5, nullptr);
    CArchive archive = CArchive::ForStoring();
    output.Serialize(archive);
    const std::vector<uint8_t>& bytes = archive.StoredBytes();
    ASSERT_EQ(bytes.size(), 2u + 56u + 9u * 60u);
    const std::vector<uint8_t> head(bytes.begin(), bytes.begin() + 2 + 56);
    const std::vector<uint8_t> expected{
        1,  '6',                      // name string
        0,  0,   0,  0,  0, 1,        // stored integer B, stored bytes A and C
        40, 0,   0,  0,  1, 8,        // gain, polarity, switch bits
        0,  0,   0,  0,  1,           // delay, stored byte E
        0,  0,   0,  0,               // eq mode
        80, 0,   0,  0,               // limiter threshold
        0,  0,   0,  0,  0, 0, 0, 0,  // attack, release
        0,  5,   17,                  // stored byte G, kind, stored byte H
        0,  99,  0,  99,              // mix levels
        1,  0,   0,  0,  1, 0, 0, 0,  // mic switches
        1,  0,   0,  0,  1, 0, 0, 0,  // music switches
    };
    EXPECT_EQ(head, expected);
}

}  // namespace
