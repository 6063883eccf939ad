// SPDX-License-Identifier: GPL-3.0-or-later
// Single-parameter edits become row writes, one per call, in the fixed order.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "ProgramHelpers.h"
#include "model/Audio_Data.h"
#include "model/ProgramFile.h"
#include "protocol/ChangeScanner.h"
#include "protocol/PendingChanges.h"
#include "protocol/ProgramMessages.h"
#include "protocol/Requests.h"

namespace {

struct RowCase {
    std::string name;
    std::function<void(CAudio_Data&)> edit;
    std::vector<uint8_t> arguments;  // frame bytes 5..9
    size_t imageOffset;              // where the 8 payload bytes come from
};

std::vector<RowCase> RowCases() {
    return {
        {"GainOfBand5OfInput1",
         [](CAudio_Data& p) { p.GetInput(1).GetChain().GetElement(5).SetGainIndex(230); },
         {0xA1, 0x01, 0x00, 0x01, 0x08},
         152 + 64},
        {"NoiseGate",
         [](CAudio_Data& p) { p.GetEffect().SetEffectParam(EffectParam::kNoiseGate, 9); },
         {0xA1, 0x03, 0x00, 0x00, 19},
         456},
        {"MicrophoneBassAttenuation",
         [](CAudio_Data& p) { p.GetInput(2).SetBassAttenuation(1); },
         {0xA1, 0x02, 0x00, 0x00, 0x01},
         304 + 8},
        {"DelayOfOutput3",
         [](CAudio_Data& p) { p.GetOutput(3).SetDelay(77); },
         {0xA1, 0x04, 0x00, 0x03, 0x01},
         504 + 3 * 88 + 8},
        {"EchoVolumeIsTheSecondEffectRow",
         [](CAudio_Data& p) { p.GetEffect().SetEffectParam(EffectParam::kEchoVolume, 40); },
         {0xA1, 0x03, 0x00, 0x00, 20},
         456 + 8},
        {"NameOfOutput5",
         [](CAudio_Data& p) { p.GetOutput(5).SetName("SR"); },
         {0xA1, 0x04, 0x00, 0x05, 0x00},
         504 + 5 * 88},
        {"LastBandOfOutput0",
         [](CAudio_Data& p) { p.GetOutput(0).GetChain().GetElement(6).SetFrequency(5000); },
         {0xA1, 0x04, 0x00, 0x00, 10},
         504 + 80},
    };
}

class RowWrites : public testing::TestWithParam<RowCase> {};

TEST_P(RowWrites, CarryTheEditedRowOfTheRebuiltImage) {
    CAudio_Data program;
    SendEveryPendingChange(program);
    EXPECT_FALSE(HasPendingChange(program));
    GetParam().edit(program);
    EXPECT_TRUE(HasPendingChange(program));
    const std::unique_ptr<CSendData> message = NextPendingMessage(program);
    EXPECT_FALSE(HasPendingChange(program));
    ASSERT_EQ(message->length, 22);
    EXPECT_EQ(HeaderArguments(*message), GetParam().arguments);
    EXPECT_EQ(Payload(*message), ImageBytes(program, GetParam().imageOffset, 8));
    EXPECT_TRUE(IsValidFrame(message->frame));
    EXPECT_EQ(NextPendingMessage(program)->command, Command::kStatusPoll);
}

INSTANTIATE_TEST_SUITE_P(Edits, RowWrites, testing::ValuesIn(RowCases()),
                         [](const auto& info) { return info.param.name; });

class ChangeScanner : public testing::Test {
  protected:
    void SetUp() override { SendEveryPendingChange(program); }

    std::vector<uint8_t> NextArguments() { return HeaderArguments(*NextPendingMessage(program)); }

    CAudio_Data program;
};

TEST_F(ChangeScanner, NothingPendingGivesAStatusPoll) {
    EXPECT_EQ(NextPendingMessage(program)->frame, BuildStatusPoll()->frame);
}

TEST_F(ChangeScanner, MixGoesBeforeGainOnOneOutput) {
    program.GetOutput(2).SetGain(10);
    program.GetOutput(2).SetMixMicBoth(20);
    EXPECT_EQ(NextArguments(), (std::vector<uint8_t>{0xA1, 4, 0, 2, 3}));
    EXPECT_EQ(NextArguments(), (std::vector<uint8_t>{0xA1, 4, 0, 2, 1}));
}

TEST_F(ChangeScanner, EarlierChannelsGoFirst) {
    program.GetOutput(0).SetName("MAIN");
    program.GetInput(0).GetChain().GetElement(2).SetGainIndex(190);
    EXPECT_EQ(NextArguments(), (std::vector<uint8_t>{0xA1, 1, 0, 0, 5}));
    EXPECT_EQ(NextArguments(), (std::vector<uint8_t>{0xA1, 4, 0, 0, 0}));
}

TEST_F(ChangeScanner, InputOrderIsNameParamsBandsCrossover) {
    CAudio_InData& input = program.GetInput(1);
    input.GetChain().GetLowPass().SetFrequency(input.GetChain().GetLowPass().GetSentFrequency());
    input.GetChain().GetElement(15).SetGainIndex(150);
    input.SetLevel(3);
    input.SetName("MUSIC");
    EXPECT_EQ(NextArguments()[4], 0);
    EXPECT_EQ(NextArguments()[4], 1);
    EXPECT_EQ(NextArguments()[4], 18);
    EXPECT_EQ(NextArguments()[4], 2);
    EXPECT_EQ(NextPendingMessage(program)->command, Command::kStatusPoll);
}

TEST_F(ChangeScanner, EffectSecondRowGoesBeforeTheFirst) {
    program.GetEffect().SetEffectParam(EffectParam::kReverbTime, 5);
    program.GetEffect().SetEffectParam(EffectParam::kEchoDirect, 6);
    EXPECT_EQ(NextArguments()[4], 20);
    EXPECT_EQ(NextArguments()[4], 19);
}

TEST_F(ChangeScanner, UnscannedFlagsNeverProduceARow) {
    program.GetEffect().SetModeChanged(1);
    program.GetOutput(1).SetMiscChanged(1);
    EXPECT_FALSE(HasPendingChange(program));
    EXPECT_EQ(NextPendingMessage(program)->command, Command::kStatusPoll);
}

TEST_F(ChangeScanner, CrossoverMovesOneOctavePerRow) {
    CFilter& highPass = program.GetInput(0).GetChain().GetHighPass();
    ASSERT_EQ(highPass.GetSentFrequency(), highPass.GetFrequency());
    highPass.SetFrequency(20);
    SendEveryPendingChange(program);
    highPass.SetFrequency(200);
    std::vector<int> sent;
    for (std::unique_ptr<CSendData> message = NextPendingMessage(program);
         message->command != Command::kStatusPoll; message = NextPendingMessage(program)) {
        EXPECT_TRUE(HasPendingChange(program) || highPass.GetSentFrequency() == 200);
        EXPECT_EQ(HeaderArguments(*message), (std::vector<uint8_t>{0xA1, 1, 0, 0, 2}));
        const DeviceRow crossover = program.GetInput(0).GetChain().EncodeCrossover();
        EXPECT_EQ(Payload(*message), std::vector<uint8_t>(crossover.begin(), crossover.end()));
        sent.push_back(highPass.GetSentFrequency());
    }
    // The element settles on the send after the one that reached the target,
    // so the target may go out twice; the steps themselves are one octave each.
    EXPECT_FALSE(HasPendingChange(program));
    sent.erase(std::unique(sent.begin(), sent.end()), sent.end());
    EXPECT_EQ(sent, (std::vector<int>{40, 80, 160, 200}));
}

TEST_F(ChangeScanner, ProgramFileSavedMidWalkFinishesTheWalkAfterLoading) {
    CFilter& highPass = program.GetOutput(3).GetChain().GetHighPass();
    highPass.SetFrequency(20);
    SendEveryPendingChange(program);
    highPass.SetFrequency(1000);
    NextPendingMessage(program);
    NextPendingMessage(program);
    ASSERT_EQ(highPass.GetSentFrequency(), 80);
    const std::vector<uint8_t> file = SerializeProgram(program);

    CAudio_Data loaded;
    SendEveryPendingChange(loaded);
    ASSERT_TRUE(DeserializeProgram(file, loaded));
    CFilter& loadedHighPass = loaded.GetOutput(3).GetChain().GetHighPass();
    std::vector<int> sent;
    for (std::unique_ptr<CSendData> message = NextPendingMessage(loaded);
         message->command != Command::kStatusPoll; message = NextPendingMessage(loaded)) {
        sent.push_back(loadedHighPass.GetSentFrequency());
    }
    sent.erase(std::unique(sent.begin(), sent.end()), sent.end());
    EXPECT_EQ(sent, (std::vector<int>{160, 320, 640, 1000}));
}

TEST(ProgramMessages, OutputRecordWriteCarriesTheWholeRecord) {
    CAudio_Data program;
    program.GetOutput(4).SetGain(33);
    const std::unique_ptr<CSendData> message = BuildOutputRecordMessage(program, 4);
    ASSERT_EQ(message->length, 102);
    EXPECT_EQ(HeaderArguments(*message), (std::vector<uint8_t>{0xA3, 4, 0, 4, 0xFF}));
    const CAudio_OutData::Record record = program.GetOutput(4).BuildRecord();
    EXPECT_EQ(Payload(*message), std::vector<uint8_t>(record.begin(), record.end()));
}

TEST(ProgramMessages, ProgramWriteCarriesTheRebuiltImage) {
    CAudio_Data program;
    program.GetInput(0).SetName("XY");
    const std::unique_ptr<CSendData> message =
        BuildBulkMessage(program, Command::kProgramWrite, 0, 0, 0, 0);
    ASSERT_EQ(message->length, 1046);
    EXPECT_EQ(message->frame[12], 'X');
    EXPECT_EQ(Payload(*message), ImageBytes(program, 0, 1032));
}

}  // namespace
