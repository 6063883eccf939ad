// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <vector>

#include "model/Archive.h"
#include "model/EQ.h"

namespace {
constexpr int kIndex1000Hz = 136;

struct LayoutCase {
    const char* name;
    ChainLayout layout;
    std::vector<int> frequencies;
    int firstId;
    int crossoverId;
    int crossoverFamily;
    int crossoverSlope;
    bool geqFrequencies;
};

const std::vector<int> kInputFrequencies = {20,   33,   54,   88,   144,  236,   386,   632,
                                            1036, 1697, 2779, 4552, 7965, 10000, 15000, 20000};
}  // namespace

class ChainLayoutTest : public testing::TestWithParam<LayoutCase> {};

TEST_P(ChainLayoutTest, BuildsBandsThenHighPassThenLowPass) {
    const LayoutCase& c = GetParam();
    CEQ chain(c.layout);
    ASSERT_EQ(chain.GetBandCount(), static_cast<int>(c.frequencies.size()));
    for (int i = 0; i < chain.GetBandCount(); ++i) {
        const CFilter& band = chain.GetElement(i);
        SCOPED_TRACE(testing::Message() << "band " << i);
        EXPECT_EQ(band.GetType(), ElementType::kPeaking);
        EXPECT_EQ(band.GetFrequency(), c.frequencies[i]);
        EXPECT_EQ(band.GetId(), c.firstId + i);
        EXPECT_EQ(band.GetGeqFrequency(), c.geqFrequencies ? c.frequencies[i] : 0);
        EXPECT_EQ(band.GetGainIndex(), 200);
        EXPECT_EQ(band.GetBypassState(), 1);
        EXPECT_EQ(band.GetBandwidthIndex(), 29);
        EXPECT_TRUE(band.IsBand());
    }
    const CFilter& high = chain.GetHighPass();
    const CFilter& low = chain.GetLowPass();
    EXPECT_EQ(high.GetFrequency(), 20);
    EXPECT_EQ(high.GetSentFrequency(), 20);
    EXPECT_EQ(low.GetFrequency(), 20000);
    EXPECT_EQ(low.GetSentFrequency(), 20000);
    for (const CFilter* filter : {&high, &low}) {
        EXPECT_FALSE(filter->IsBand());
        EXPECT_EQ(filter->GetId(), c.crossoverId);
        EXPECT_EQ(filter->GetFamily(), c.crossoverFamily);
        EXPECT_EQ(filter->GetSlope(), c.crossoverSlope);
    }
    for (int i = 0; i < chain.GetCount(); ++i) {
        EXPECT_FALSE(chain.GetElement(i).IsDirty()) << "a new chain has nothing to send";
    }
    EXPECT_EQ(chain.SumResponseDb(), (std::array<double, kGridPointCount>{})) << "flat";
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, ChainLayoutTest,
    testing::Values(
        LayoutCase{"Music", ChainLayout::MusicInput, kInputFrequencies, 1, 2, 2, 3, false},
        LayoutCase{"Microphone", ChainLayout::MicrophoneInput, kInputFrequencies, 3, 2, 2, 3,
                   false},
        LayoutCase{
            "Output", ChainLayout::Output, {47, 112, 266, 631, 1495, 3544, 8399}, 4, 2, 0, 0, true},
        LayoutCase{"Effect", ChainLayout::Effect, {20, 33, 54}, 22, 21, 2, 3, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EQ, CrossoverRowOfInputAndEffectChainsIsAlwaysButterworth48) {
    for (ChainLayout layout :
         {ChainLayout::MusicInput, ChainLayout::MicrophoneInput, ChainLayout::Effect}) {
        CEQ chain(layout);
        chain.GetHighPass().SetFamily(FilterFamily::kLinkwitzRiley);
        chain.GetHighPass().SetSlope(0);
        chain.GetLowPass().SetFamily(FilterFamily::kBessel);
        // 20 Hz = 14 00, 20000 Hz = 20 4E; family 2, slope 3 whatever the filters hold.
        EXPECT_EQ(chain.EncodeCrossover(),
                  (DeviceRow{0x14, 0x00, 0x02, 0x03, 0x20, 0x4E, 0x02, 0x03}));
    }
}

TEST(EQ, CrossoverRowOfOutputChainCarriesTheFiltersOwnShape) {
    CEQ chain(ChainLayout::Output);
    chain.GetHighPass().SetFamily(FilterFamily::kBessel);
    chain.GetHighPass().SetSlope(2);
    chain.GetLowPass().SetSlope(1);
    chain.GetHighPass().SetFrequency(100);
    // The row carries the sent frequency, which walks one octave per send.
    chain.GetHighPass().StepSentFrequency(0);
    EXPECT_EQ(chain.EncodeCrossover(), (DeviceRow{0x28, 0x00, 0x01, 0x02, 0x20, 0x4E, 0x00, 0x01}));
}

TEST(EQ, DecodeCrossoverGivesEachFilterItsHalf) {
    CEQ chain(ChainLayout::Output);
    const uint8_t row[8] = {0x50, 0x00, 0x01, 0x02, 0xE0, 0x2E, 0x02, 0x01};
    chain.DecodeCrossover(row);
    EXPECT_EQ(chain.GetHighPass().GetFrequency(), 80);
    EXPECT_EQ(chain.GetLowPass().GetFrequency(), 12000);
    EXPECT_EQ(chain.EncodeCrossover(), (DeviceRow{0x50, 0x00, 0x01, 0x02, 0xE0, 0x2E, 0x02, 0x01}));
}

TEST(EQ, SumIsThePlainSumOfEveryElementIncludingCrossovers) {
    CEQ chain(ChainLayout::Output);
    chain.GetElement(3).SetFrequency(1000);
    chain.GetElement(3).SetGainIndex(260);
    chain.GetElement(5).SetFrequency(1000);
    chain.GetElement(5).SetGainIndex(240);
    chain.GetLowPass().SetFamily(FilterFamily::kButterworth);
    chain.GetLowPass().SetSlope(2);
    chain.GetLowPass().SetFrequency(1000);
    auto sum = chain.SumResponseDb();
    EXPECT_NEAR(sum[kIndex1000Hz], 6.0 + 4.0 - 3.0, 0.1);
    for (int i = 0; i < kGridPointCount; ++i) {
        double expected = 0.0;
        for (int e = 0; e < chain.GetCount(); ++e) {
            expected += chain.GetElement(e).GetResponse()[i];
        }
        ASSERT_DOUBLE_EQ(sum[i], expected);
    }
}

TEST(EQ, SumCurvesUseTheGraphScale) {
    CEQ chain(ChainLayout::Effect);
    chain.Layout(PixelRect{0, 0, 600, 300});
    EXPECT_EQ(chain.GetSumCurve()[kIndex1000Hz], (PixelPoint{339 + 35, 150 + 10}))
        << "before a sum the curve sits at half height";
    chain.SumResponse();
    EXPECT_EQ(chain.GetSumCurve()[kIndex1000Hz], (PixelPoint{339 + 35, 100 + 10})) << "0 dB";
    chain.GetElement(0).SetFrequency(1000);
    chain.GetElement(0).SetGainIndex(150);  // -5 dB
    chain.SumResponse();
    EXPECT_EQ(chain.GetSumCurve()[kIndex1000Hz].y, 150 + 10);
    EXPECT_NEAR(chain.GetSumCurveF()[kIndex1000Hz].y, 160.0f, 1e-3);
}

TEST(EQ, FileRecordIsTheElementRecordsInOrderWithoutACount) {
    CEQ chain(ChainLayout::MusicInput);
    chain.GetElement(2).SetGainIndex(123);
    chain.GetLowPass().SetFrequency(9000);
    CArchive out = CArchive::ForStoring();
    chain.Serialize(out);
    ASSERT_EQ(out.StoredBytes().size(), 18u * 60u);
    EXPECT_EQ(out.StoredBytes()[60 * 17], ElementType::kLowPass) << "the low-pass record is last";

    CEQ loaded(ChainLayout::MusicInput);
    CArchive in = CArchive::ForLoading(out.StoredBytes());
    loaded.Serialize(in);
    EXPECT_EQ(loaded.GetElement(2).GetGainIndex(), 123);
    EXPECT_EQ(loaded.GetLowPass().GetFrequency(), 9000);
    EXPECT_EQ(loaded.SumResponseDb(), chain.SumResponseDb());
}

TEST(EQ, CopyFromCopiesEveryElement) {
    CEQ source(ChainLayout::Output);
    source.GetElement(6).SetGainIndex(90);
    source.GetHighPass().SetFrequency(120);
    CEQ target(ChainLayout::Output);
    target.CopyFrom(source);
    EXPECT_EQ(target.GetElement(6).GetGainIndex(), 90);
    EXPECT_EQ(target.GetHighPass().GetSentFrequency(), 120);
    EXPECT_EQ(target.SumResponseDb(), source.SumResponseDb());
}

TEST(EQ, AllBypassCoversEveryBandAndComesBack) {
    CEQ chain(ChainLayout::Effect);
    chain.GetElement(1).SetGainIndex(250);
    EXPECT_EQ(chain.AllBandsBypassed(), 0);
    chain.SetAllBandsAllBypass(1);
    EXPECT_EQ(chain.AllBandsBypassed(), 1);
    EXPECT_EQ(chain.SumResponseDb(), (std::array<double, kGridPointCount>{}));
    chain.SetAllBandsAllBypass(0);
    EXPECT_EQ(chain.AllBandsBypassed(), 0);
    EXPECT_EQ(chain.GetElement(1).GetBypassState(), 0);
}
