// SPDX-License-Identifier: GPL-3.0-or-later
// Putting a kept program back into the live one sends, through the change
// scanner, exactly the rows that differ, after which a device that took every
// row holds the kept program's image.
#include <gtest/gtest.h>

#include <set>

#include "ProgramHelpers.h"
#include "model/Audio_Data.h"
#include "model/ProgramSnapshot.h"
#include "protocol/ChangeScanner.h"
#include "protocol/ProgramMessages.h"

namespace {

using Image = std::array<uint8_t, CAudio_Data::kImageSize>;

Image ImageOf(CAudio_Data& program) {
    program.BuildImage();
    Image image{};
    std::copy_n(program.GetImage().begin(), image.size(), image.begin());
    return image;
}

size_t RowOffset(const CSendData& message) {
    const std::vector<uint8_t> header = HeaderArguments(message);
    const int block = header[1];
    const int channel = header[3];
    const size_t row = header[4];
    switch (block) {
        case RowBlock::kMusicInput:
            return CAudio_Data::InputRecordOffset(channel) + row * 8;
        case RowBlock::kMicrophone:
            return CAudio_Data::InputRecordOffset(2) + row * 8;
        case RowBlock::kEffect:
            return CAudio_Data::kEffectRecordOffset + (row - 19) * 8;
        default:
            return CAudio_Data::OutputRecordOffset(channel) + row * 8;
    }
}

// Plays the device: takes every pending row into `device`; returns the rows' offsets.
std::set<size_t> SendInto(CAudio_Data& program, Image& device) {
    std::set<size_t> rows;
    for (int guard = 0; guard < 1000; ++guard) {
        const std::unique_ptr<CSendData> message = NextPendingMessage(program);
        if (message->command == Command::kStatusPoll) {
            break;
        }
        const size_t offset = RowOffset(*message);
        const std::vector<uint8_t> payload = Payload(*message);
        std::copy(payload.begin(), payload.end(), device.begin() + static_cast<ptrdiff_t>(offset));
        rows.insert(offset);
    }
    return rows;
}

std::set<size_t> DifferingRows(const Image& a, const Image& b) {
    std::set<size_t> rows;
    for (size_t offset = 0; offset < a.size(); offset += 8) {
        if (!std::equal(a.begin() + offset, a.begin() + offset + 8, b.begin() + offset)) {
            rows.insert(offset);
        }
    }
    return rows;
}

void EditSeveralKinds(CAudio_Data& p) {
    p.GetInput(1).GetBand(4).SetGainIndex(236);
    p.GetInput(2).SetBassAttenuation(3);
    p.GetEffect().SetEffectParam(EffectParam::kEchoVolume, 61);
    p.GetEffect().GetBand(1).SetFrequency(3150);
    p.GetOutput(2).SetMixMusic(20);
    p.GetOutput(3).SetDelay(90);
    p.GetOutput(4).SetName("Booth");
    p.GetOutput(5).GetHighPass().SetFrequency(640);
    p.GetOutput(5).GetLowPass().SetSlope(2);
    p.GetInput(0).GetLowPass().SetFrequency(2500);
}

TEST(ProgramSnapshotTest, RestoringSendsExactlyTheDifferingRowsAndTheDeviceEndsEqual) {
    CAudio_Data program;
    SendEveryPendingChange(program);
    const Image original = ImageOf(program);
    const ProgramSnapshot kept = TakeSnapshot(program);

    Image device = original;
    EditSeveralKinds(program);
    SendInto(program, device);
    const Image edited = ImageOf(program);
    ASSERT_EQ(device, edited);

    RestoreSnapshot(program, kept);
    const std::set<size_t> sent = SendInto(program, device);
    EXPECT_EQ(sent, DifferingRows(edited, original));
    EXPECT_EQ(device, original);
    EXPECT_EQ(TakeSnapshot(program), kept);

    // And forward again: the redo direction is the same operation.
    const ProgramSnapshot back = TakeSnapshot(program);
    EditSeveralKinds(program);
    const ProgramSnapshot forward = TakeSnapshot(program);
    RestoreSnapshot(program, back);
    SendInto(program, device);
    RestoreSnapshot(program, forward);
    EXPECT_EQ(SendInto(program, device), DifferingRows(original, edited));
    EXPECT_EQ(device, edited);
}

TEST(ProgramSnapshotTest, RestoringTheSameProgramSendsNothing) {
    CAudio_Data program;
    EditSeveralKinds(program);
    SendEveryPendingChange(program);
    RestoreSnapshot(program, TakeSnapshot(program));
    EXPECT_EQ(NextPendingMessage(program)->command, Command::kStatusPoll);
}

TEST(ProgramSnapshotTest, AnEditStillWaitingIsSentAfterARestore) {
    CAudio_Data program;
    SendEveryPendingChange(program);
    Image device = ImageOf(program);
    program.GetOutput(1).GetBand(2).SetGainIndex(170);  // not sent yet
    const ProgramSnapshot withPending = TakeSnapshot(program);
    program.GetOutput(0).SetGain(30);
    RestoreSnapshot(program, withPending);
    const std::set<size_t> sent = SendInto(program, device);
    EXPECT_TRUE(sent.contains(CAudio_Data::OutputRecordOffset(1) + (4 + 2) * 8));
    EXPECT_EQ(device, ImageOf(program));
}

TEST(ProgramSnapshotTest, ARestoredCrossoverStepsFromWhereTheDeviceIs) {
    CAudio_Data program;
    CFilter& highPass = program.GetOutput(0).GetHighPass();
    highPass.SetFrequency(100);
    SendEveryPendingChange(program);
    const ProgramSnapshot at100 = TakeSnapshot(program);
    highPass.SetFrequency(800);
    SendEveryPendingChange(program);
    ASSERT_EQ(highPass.GetSentFrequency(), 800);

    RestoreSnapshot(program, at100);
    std::vector<int> steps;
    for (int guard = 0; guard < 10; ++guard) {
        if (NextPendingMessage(program)->command == Command::kStatusPoll) {
            break;
        }
        steps.push_back(highPass.GetSentFrequency());
    }
    ASSERT_GE(steps.size(), 3U);
    EXPECT_EQ(std::vector<int>(steps.begin(), steps.begin() + 3),
              (std::vector<int>{400, 200, 100}));
    EXPECT_EQ(highPass.GetSentFrequency(), 100);
}

TEST(ProgramSnapshotTest, SnapshotsIgnoreWhereACrossoverIsOnItsWay) {
    CAudio_Data program;
    program.GetOutput(2).GetLowPass().SetFrequency(1000);
    const ProgramSnapshot before = TakeSnapshot(program);
    NextPendingMessage(program);  // one octave step, not yet arrived
    EXPECT_EQ(TakeSnapshot(program), before);
    EXPECT_NE(program.GetOutput(2).GetLowPass().GetSentFrequency(), 1000);
}

TEST(ProgramSnapshotTest, SavingAProgramKeepsItsUnsentEdits) {
    CAudio_Data program;
    SendEveryPendingChange(program);
    program.GetInput(0).GetBand(0).SetGainIndex(220);
    TakeSnapshot(program);
    EXPECT_EQ(program.GetInput(0).GetBand(0).IsDirty(), 1);
    EXPECT_NE(NextPendingMessage(program)->command, Command::kStatusPoll);
}

}  // namespace
