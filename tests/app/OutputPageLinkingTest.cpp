// SPDX-License-Identifier: GPL-3.0-or-later
// The output page's edits as the model sees them: which outputs a band,
// crossover or "All Bypass" edit reaches when outputs are linked, what the
// device is sent for it, and where a typed crossover frequency stops.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "app/pages/EqBandTableEdits.h"
#include "app/pages/OutputCrossoverEdits.h"
#include "app/pages/OutputEqLinking.h"
#include "curves/ResponseKinds.h"
#include "model/Audio_Data.h"
#include "model/ChannelIndex.h"
#include "protocol/ChangeScanner.h"
#include "protocol/Frame.h"
#include "protocol/ProgramMessages.h"

namespace {

constexpr int kCrossoverRow = 2;

struct SentRow {
    int output;
    int row;
    std::vector<uint8_t> payload;
};

// Every row write the change flags produce now, in the order they go out.
std::vector<SentRow> SendPendingRows(CAudio_Data& program) {
    std::vector<SentRow> rows;
    for (int guard = 0; guard < 200; ++guard) {
        const std::unique_ptr<CSendData> message = NextPendingMessage(program);
        if (message->command == Command::kStatusPoll) {
            break;
        }
        const FrameBytes& frame = message->frame;
        if (frame[6] == RowBlock::kOutput) {
            rows.push_back({frame[8], frame[9], {frame.begin() + 12, frame.end() - 2}});
        }
    }
    return rows;
}

class OutputLinking : public testing::Test {
  protected:
    OutputLinking() {
        program.ResetOutputLinks();
        program.GetOutputLinks().SetGroup(OutputKind::kMainRight, OutputKind::kMainLeft);
        program.ClearPendingChanges();
        SendPendingRows(program);
    }

    CFilter& Band(int output, int band) { return program.GetOutput(output).GetBand(band); }

    CAudio_Data program;
};

TEST_F(OutputLinking, RowEditsReachTheSameBandOfTheLinkedOutputOnly) {
    struct Case {
        std::string name;
        BandEditKind kind;
        int value;
        std::function<int(const CFilter&)> read;
    };
    const std::vector<Case> cases{
        {"frequency", BandEditKind::Frequency, 500, &CFilter::GetFrequency},
        {"bandwidth", BandEditKind::Bandwidth, 99, &CFilter::GetBandwidthIndex},
        {"gain", BandEditKind::Gain, 235, &CFilter::GetGainIndex},
        {"kind", BandEditKind::Type, ElementType::kHighShelf, &CFilter::GetType},
        {"slope", BandEditKind::Slope, 1, &CFilter::GetSlope},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int centreBefore = c.read(Band(OutputKind::kCentre, 2));
        ApplyBandChangeToLinkedOutputs(program, OutputKind::kMainLeft, 2,
                                       MakeBandChange(c.kind, c.value));
        EXPECT_EQ(c.read(Band(OutputKind::kMainLeft, 2)), c.value);
        EXPECT_EQ(c.read(Band(OutputKind::kMainRight, 2)), c.value);
        EXPECT_EQ(c.read(Band(OutputKind::kCentre, 2)), centreBefore);
        EXPECT_TRUE(Band(OutputKind::kMainRight, 2).IsDirty());
        EXPECT_FALSE(Band(OutputKind::kCentre, 2).IsDirty());
    }
}

TEST_F(OutputLinking, LowShelfOnALinkedBandAt5000HzLeavesBothAt2000Hz) {
    ApplyBandChangeToLinkedOutputs(program, OutputKind::kMainLeft, 2,
                                   MakeBandChange(BandEditKind::Frequency, 5000));
    ApplyBandChangeToLinkedOutputs(program, OutputKind::kMainLeft, 2,
                                   MakeBandChange(BandEditKind::Type, ElementType::kLowShelf));
    for (const int output : {OutputKind::kMainLeft, OutputKind::kMainRight}) {
        EXPECT_EQ(Band(output, 2).GetType(), ElementType::kLowShelf) << output;
        EXPECT_EQ(Band(output, 2).GetFrequency(), 2000) << output;
    }
}

TEST_F(OutputLinking, ADraggedBandIsTakenOverAndSentForBothOutputs) {
    CFilter& dragged = Band(OutputKind::kMainLeft, 3);
    dragged.SetFrequency(1800);
    dragged.SetBandwidthIndex(140);
    dragged.SetGainIndex(160);
    RepeatDraggedBandOnLinkedOutputs(program, OutputKind::kMainLeft, 3);

    EXPECT_EQ(Band(OutputKind::kMainRight, 3).GetFrequency(), 1800);
    EXPECT_EQ(Band(OutputKind::kMainRight, 3).GetBandwidthIndex(), 140);
    EXPECT_EQ(Band(OutputKind::kMainRight, 3).GetGainIndex(), 160);
    const std::vector<SentRow> sent = SendPendingRows(program);
    ASSERT_EQ(sent.size(), 2u);
    const int bandRow = 4 + 3;
    EXPECT_EQ(sent[0].output, OutputKind::kMainLeft);
    EXPECT_EQ(sent[1].output, OutputKind::kMainRight);
    EXPECT_EQ(sent[0].row, bandRow);
    EXPECT_EQ(sent[1].row, bandRow);
    EXPECT_EQ(sent[0].payload, sent[1].payload);
}

// A bypassed band reads gain index 200; a partner given that index would
// keep 0 dB and stay flat once the shown band is switched back on.
TEST_F(OutputLinking, ADraggedBypassedBandKeepsItsGainOnThePartner) {
    CFilter& shown = Band(OutputKind::kMainLeft, 3);
    shown.SetGainIndex(230);
    shown.SetBypass(1);
    RepeatDraggedBandOnLinkedOutputs(program, OutputKind::kMainLeft, 3);
    EXPECT_EQ(Band(OutputKind::kMainRight, 3).GetBypassState(), 1);

    ApplyBandChangeToLinkedOutputs(program, OutputKind::kMainLeft, 3,
                                   MakeBandChange(BandEditKind::Bypass, 0));
    EXPECT_EQ(Band(OutputKind::kMainLeft, 3).EncodeBand()[6], 230);
    EXPECT_EQ(Band(OutputKind::kMainRight, 3).EncodeBand()[6], 230);
}

TEST(CrossoverLimits, ATypedFrequencyStopsAtTheOtherFilter) {
    struct Case {
        CrossoverSide side;
        int typed;
        int other;
        int expected;
    };
    const std::vector<Case> cases{
        {CrossoverSide::HighPass, 3000, 2500, 2500}, {CrossoverSide::HighPass, 1000, 2500, 1000},
        {CrossoverSide::HighPass, 2500, 2500, 2500}, {CrossoverSide::LowPass, 100, 500, 500},
        {CrossoverSide::LowPass, 800, 500, 800},     {CrossoverSide::LowPass, 30000, 20, 20000},
        {CrossoverSide::HighPass, 5, 20000, 20},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LimitCrossoverFrequency(c.side, c.typed, c.other), c.expected)
            << (c.side == CrossoverSide::HighPass ? "high-pass " : "low-pass ") << c.typed
            << " against " << c.other;
    }
}

TEST_F(OutputLinking, CrossoverEditsReachTheLinkedOutputAndItsCrossoverRow) {
    struct Case {
        std::string name;
        std::function<void()> edit;
        std::function<int(const CFilter&)> read;
        int expected;
    };
    const std::vector<Case> cases{
        {"family",
         [&] {
             SetCrossoverFamily(program, OutputKind::kMainLeft, CrossoverSide::HighPass,
                                FilterFamily::kBessel);
         },
         &CFilter::GetFamily, FilterFamily::kBessel},
        {"slope",
         [&] { SetCrossoverSlope(program, OutputKind::kMainLeft, CrossoverSide::HighPass, 3); },
         &CFilter::GetSlope, 3},
        {"frequency",
         [&] {
             SetCrossoverFrequency(program, OutputKind::kMainLeft, CrossoverSide::HighPass, 40);
         },
         &CFilter::GetFrequency, 40},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.edit();
        EXPECT_EQ(c.read(program.GetOutput(OutputKind::kMainLeft).GetHighPass()), c.expected);
        EXPECT_EQ(c.read(program.GetOutput(OutputKind::kMainRight).GetHighPass()), c.expected);
        EXPECT_NE(c.read(program.GetOutput(OutputKind::kCentre).GetHighPass()), c.expected);

        // The change goes out as the crossover row of both linked outputs,
        // nothing else; a frequency may take more than one send to arrive.
        const std::vector<SentRow> sent = SendPendingRows(program);
        std::vector<int> outputs;
        for (const SentRow& row : sent) {
            EXPECT_EQ(row.row, kCrossoverRow);
            if (outputs.empty() || outputs.back() != row.output) {
                outputs.push_back(row.output);
            }
        }
        EXPECT_EQ(outputs, (std::vector<int>{OutputKind::kMainLeft, OutputKind::kMainRight}));
        for (const int output : {OutputKind::kMainLeft, OutputKind::kMainRight}) {
            const auto lastOfOutput =
                std::find_if(sent.rbegin(), sent.rend(),
                             [&](const SentRow& row) { return row.output == output; });
            ASSERT_NE(lastOfOutput, sent.rend());
            const DeviceRow expected = program.GetOutput(output).GetChain().EncodeCrossover();
            EXPECT_EQ(lastOfOutput->payload,
                      std::vector<uint8_t>(expected.begin(), expected.end()));
        }
    }
    EXPECT_EQ(SendPendingRows(program).size(), 0u);
}

TEST_F(OutputLinking, AHighPassTypedAboveTheLowPassStopsAtIt) {
    SetCrossoverFrequency(program, OutputKind::kMainLeft, CrossoverSide::LowPass, 2500);
    SetCrossoverFrequency(program, OutputKind::kMainLeft, CrossoverSide::HighPass, 3000);
    EXPECT_EQ(program.GetOutput(OutputKind::kMainLeft).GetHighPass().GetFrequency(), 2500);
    EXPECT_EQ(program.GetOutput(OutputKind::kMainRight).GetHighPass().GetFrequency(), 2500);
}

TEST_F(OutputLinking, AllBypassOnANewOutputStaysOnAndLeavesThePartnerAlone) {
    EXPECT_EQ(program.GetOutput(OutputKind::kMainLeft).UpdateAllBypassed(), 1);
    EXPECT_TRUE(PressAllBypass(program, OutputKind::kMainLeft));
    for (int band = 0; band < CAudio_OutData::kBandCount; ++band) {
        EXPECT_EQ(Band(OutputKind::kMainLeft, band).GetBypassState(), 1) << band;
        EXPECT_EQ(Band(OutputKind::kMainRight, band).GetAllBypass(), 0) << band;
    }
    EXPECT_EQ(SendPendingRows(program).size(), 0u);
}

TEST_F(OutputLinking, AllBypassThatTakesEffectReachesThePartner) {
    for (const int output : {OutputKind::kMainLeft, OutputKind::kMainRight}) {
        Band(output, 1).SetGainIndex(230);
    }
    SendPendingRows(program);

    EXPECT_TRUE(PressAllBypass(program, OutputKind::kMainLeft));
    EXPECT_EQ(Band(OutputKind::kMainRight, 1).GetBypassState(), 1);
    EXPECT_EQ(Band(OutputKind::kMainRight, 1).EncodeBand()[6], 200);
    EXPECT_EQ(Band(OutputKind::kCentre, 1).GetAllBypass(), 0);

    EXPECT_FALSE(PressAllBypass(program, OutputKind::kMainLeft));
    EXPECT_EQ(Band(OutputKind::kMainLeft, 1).EncodeBand()[6], 230);
    EXPECT_EQ(Band(OutputKind::kMainRight, 1).EncodeBand()[6], 230);
}

}  // namespace
