// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "model/Archive.h"
#include "model/Audio_InData.h"

namespace {

using Record = CAudio_InData::Record;

TEST(InData, NewChannelsTakeTheirPlaceInTheProgram) {
    CAudio_InData left(0), right(1), microphone(2);
    EXPECT_EQ(left.GetName(), "A");
    EXPECT_EQ(right.GetName(), "B");
    EXPECT_EQ(microphone.GetName(), "C");
    EXPECT_EQ(left.GetEqLayout(), 1);
    EXPECT_EQ(microphone.GetEqLayout(), 2);
    EXPECT_EQ(left.GetChain().GetLayout(), ChainLayout::MusicInput);
    EXPECT_EQ(microphone.GetChain().GetLayout(), ChainLayout::MicrophoneInput);
    EXPECT_EQ(right.GetLinkSlot(), 1);
    EXPECT_EQ(microphone.GetMarkerColour(), (Colour{255, 0, 255, 0}));
    EXPECT_EQ(left.GetLevel(), 30);
    EXPECT_EQ(left.GetAuxLevel(), 50);
    EXPECT_EQ(left.GetGain(), 40);
    EXPECT_EQ(left.GetStoredIntegerB(), 71);
}

TEST(InData, RecordCarriesEachFieldAtItsByte) {
    CAudio_InData microphone(2);
    microphone.SetName("Mic");
    microphone.SetLevel(12);
    microphone.SetAuxLevel(34);
    microphone.SetEffectCodes(6);
    microphone.SetEffectCode(3, 8);
    microphone.SetBassAttenuation(7);
    microphone.SetFeedbackMode(3);
    microphone.GetBand(0).SetGainIndex(230);
    microphone.GetHighPass().SetFrequency(1000);

    const Record r = microphone.BuildRecord();
    const std::vector<uint8_t> head(r.begin(), r.begin() + 32);
    const std::vector<uint8_t> expected{
        'M',  'i',  'c',  0,    0,    0,    0,    0,  // name, zero-padded
        12,   34,   6,    6,    6,    8,    7,    3,  // level, aux, effect codes, bass, feedback
        0x14, 0x00, 2,    3,    0x20, 0x4E, 2,    3,  // sent 20 Hz / 20 kHz, always Butterworth 48
        0,    0,    0x1D, 0x00, 0x14, 0x00, 0xE6, 0,  // band 0: PEQ, bw 29, 20 Hz, gain index 230
    };
    EXPECT_EQ(head, expected);
    // Band 15 sits in the last row: 20 kHz, bypassed.
    EXPECT_EQ(r[148], 0x20);
    EXPECT_EQ(r[149], 0x4E);
    EXPECT_EQ(r[150], 200);
}

TEST(InData, NameIsCutToEightBytesOrPaddedWithZeros) {
    CAudio_InData channel(0);
    channel.SetName("ABCDEFGHIJ");
    EXPECT_EQ(channel.GetName(), "ABCDEFGH");
    Record r = channel.BuildRecord();
    EXPECT_EQ(std::string(r.begin(), r.begin() + 8), "ABCDEFGH");
    EXPECT_EQ(r[8], 30) << "the name must not run into the level byte";

    channel.SetName("xyz");
    r = channel.BuildRecord();
    EXPECT_EQ(std::vector<uint8_t>(r.begin(), r.begin() + 8),
              (std::vector<uint8_t>{'x', 'y', 'z', 0, 0, 0, 0, 0}));
}

TEST(InData, MuteSendsLevelZeroAndSurvivesLoadingThatRecord) {
    CAudio_InData channel(0);
    channel.SetLevel(25);
    channel.SetMute(1);
    const Record r = channel.BuildRecord();
    EXPECT_EQ(r[8], 0);

    channel.SetParamsChanged(0);
    channel.LoadRecord(r);
    EXPECT_EQ(channel.GetLevel(), 0);
    EXPECT_EQ(channel.GetMute(), 1);
    EXPECT_EQ(channel.IsParamsChanged(), 0);

    channel.SetGain(50);
    EXPECT_EQ(channel.GetGain(), 0) << "a muted channel stores gain 0";
}

TEST(InData, LoadRecordReadsAHandBuiltRecord) {
    Record r{};
    r[0] = 'A';
    r[1] = 'B';
    r[8] = 17;
    r[9] = 99;
    r[10] = 2;
    r[13] = 4;
    r[14] = 35;
    r[15] = 4;
    // Band 2 as a +5 dB peak at 1000 Hz, bandwidth index 99.
    const uint8_t band2[8] = {0, 0, 99, 0, 0xE8, 0x03, 250, 0};
    std::copy(std::begin(band2), std::end(band2), r.begin() + 24 + 16);
    const uint8_t crossover[8] = {0xE8, 0x03, 1, 0, 0x10, 0x27, 2, 3};
    std::copy(std::begin(crossover), std::end(crossover), r.begin() + 16);

    CAudio_InData channel(2);
    channel.LoadRecord(r);
    EXPECT_EQ(channel.GetName(), "AB");
    EXPECT_EQ(channel.GetLevel(), 17);
    EXPECT_EQ(channel.GetAuxLevel(), 99);
    EXPECT_EQ(channel.GetEffectCode(0), 2);
    EXPECT_EQ(channel.GetEffectCode(3), 4);
    EXPECT_EQ(channel.GetFeedbackMode(), 4);
    EXPECT_EQ(channel.GetBassAttenuation(), 20) << "35 is beyond the page's range";
    EXPECT_EQ(channel.BuildRecord()[14], 20) << "and stays limited from then on";
    EXPECT_EQ(channel.GetBand(2).GetFrequency(), 1000);
    EXPECT_EQ(channel.GetBand(2).GetGainIndex(), 250);
    EXPECT_EQ(channel.GetBand(2).GetBandwidthIndex(), 99);
    EXPECT_EQ(channel.GetHighPass().GetFrequency(), 1000);
    EXPECT_EQ(channel.GetLowPass().GetFrequency(), 10000);
    EXPECT_EQ(channel.IsNameChanged(), 0);
}

TEST(InData, SettersRaiseTheRowTheyBelongTo) {
    struct Case {
        const char* what;
        std::function<void(CAudio_InData&)> edit;
        int params;
        int name;
    };
    const std::vector<Case> cases{
        {"level", [](CAudio_InData& c) { c.SetLevel(1); }, 1, 0},
        {"aux level", [](CAudio_InData& c) { c.SetAuxLevel(1); }, 1, 0},
        {"feedback", [](CAudio_InData& c) { c.SetFeedbackMode(1); }, 1, 0},
        {"bass", [](CAudio_InData& c) { c.SetBassAttenuation(1); }, 1, 0},
        {"gain", [](CAudio_InData& c) { c.SetGain(41); }, 1, 0},
        {"delay", [](CAudio_InData& c) { c.SetDelay(1); }, 1, 0},
        {"polarity", [](CAudio_InData& c) { c.SetPolarity(0); }, 1, 0},
        {"mute", [](CAudio_InData& c) { c.SetMute(1); }, 1, 0},
        {"stored A", [](CAudio_InData& c) { c.SetStoredByteA(2); }, 1, 0},
        {"stored B", [](CAudio_InData& c) { c.SetStoredIntegerB(2); }, 1, 0},
        {"stored C", [](CAudio_InData& c) { c.SetStoredIntegerC(2); }, 1, 0},
        {"stored D", [](CAudio_InData& c) { c.SetStoredByteD(2); }, 1, 0},
        {"name", [](CAudio_InData& c) { c.SetName("N"); }, 0, 1},
        {"effect codes", [](CAudio_InData& c) { c.SetEffectCodes(4); }, 0, 0},
    };
    for (const Case& test : cases) {
        CAudio_InData channel(2);
        test.edit(channel);
        EXPECT_EQ(channel.IsParamsChanged(), test.params) << test.what;
        EXPECT_EQ(channel.IsNameChanged(), test.name) << test.what;
    }
}

TEST(InData, FileRecordHasTheFieldsInOrder) {
    CAudio_InData channel(1);
    channel.SetDelay(-2);
    channel.SetStoredIntegerE(0x01020304);
    CArchive archive = CArchive::ForStoring();
    channel.Serialize(archive);
    const std::vector<uint8_t>& bytes = archive.StoredBytes();
    ASSERT_EQ(bytes.size(), 2u + 29u + 18u * 60u);
    const std::vector<uint8_t> head(bytes.begin(), bytes.begin() + 2 + 29);
    const std::vector<uint8_t> expected{
        1,    'B',               // name string
        1,    1,                 // stored byte A, polarity
        0xFE, 0xFF, 0xFF, 0xFF,  // delay -2
        40,   0,    0,    0,     // gain
        0,                       // stored byte D
        4,    3,    2,    1,     // stored integer E
        0,    1,                 // stored byte F, link slot
        30,   50,                // level, aux level
        0,    0,    0,    0,     // mute
        0,    0,                 // feedback, bass attenuation
        0,    0,    0,    0,     // effect codes
    };
    EXPECT_EQ(head, expected);
}

TEST(InData, AllBypassCoversEveryBandAndIsReported) {
    CAudio_InData channel(0);
    EXPECT_EQ(channel.UpdateAllBypassed(), 1) << "a new chain is flat";
    channel.GetBand(4).SetGainIndex(260);
    EXPECT_EQ(channel.UpdateAllBypassed(), 0);
    channel.SetAllBandsAllBypass(1);
    EXPECT_EQ(channel.UpdateAllBypassed(), 1);
    EXPECT_EQ(channel.BuildRecord()[24 + 4 * 8 + 6], 200);
    channel.SetAllBandsAllBypass(0);
    EXPECT_EQ(channel.UpdateAllBypassed(), 0);
}

}  // namespace
