// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "model/Archive.h"
#include "model/Filter.h"

namespace {
constexpr int kIndex1000Hz = 136;

bool IsFlat(const CFilter& filter) {
    for (double db : filter.GetResponse()) {
        if (db != 0.0) {
            return false;
        }
    }
    return true;
}

CFilter Crossover(int kind, int frequency, int sentFrequency) {
    CFilter filter;
    filter.SetType(kind);
    filter.SetIsBand(0);
    // A device read is the only way to place both frequencies directly.
    uint8_t row[8] = {};
    size_t half = kind == ElementType::kHighPass ? 0 : 4;
    row[half] = static_cast<uint8_t>(sentFrequency & 0xFF);
    row[half + 1] = static_cast<uint8_t>(sentFrequency >> 8);
    filter.DecodeCrossover(std::span<const uint8_t, 8>(row, 8));
    filter.SetFrequency(frequency);
    return filter;
}

std::vector<uint8_t> Store(CFilter& filter) {
    CArchive archive = CArchive::ForStoring();
    filter.Serialize(archive);
    return archive.StoredBytes();
}
}  // namespace

TEST(Filter, NewBandIsABypassedFlatPeakingBand) {
    CFilter band;
    EXPECT_EQ(band.GetType(), ElementType::kPeaking);
    EXPECT_EQ(band.GetFrequency(), 1000);
    EXPECT_EQ(band.GetGainIndex(), 200);
    EXPECT_EQ(band.GetBandwidthIndex(), 29);
    EXPECT_EQ(band.GetBypassState(), 1);
    EXPECT_EQ(band.GetSentFrequency(), 20);
    EXPECT_DOUBLE_EQ(band.GetGeqBandwidth(), 0.22);
    EXPECT_FALSE(band.IsDirty());
    EXPECT_TRUE(IsFlat(band));
    EXPECT_EQ(band.GetLabel(), "1000HZ Q 4.800 0.0dB");
}

TEST(Filter, LabelsOfEachKind) {
    CFilter band;
    band.SetBandwidthIndex(0);
    band.SetGainIndex(235);
    EXPECT_EQ(band.GetLabel(), "1000HZ Q 144.3 3.5dB") << "a Q above 100 has one decimal";
    band.SetBypass(1);
    EXPECT_EQ(band.GetLabel(), "1000HZ Q 144.3 0.0dB");
    // A band 2.82 octaves wide is labelled with its Q, not with its width.
    band.SetBandwidthIndex(281);
    EXPECT_EQ(band.GetLabel(), "1000HZ Q 0.438 0.0dB");
    band.SetType(ElementType::kHighShelf);
    band.SetBypass(0);
    EXPECT_EQ(band.GetLabel(), "2000HZ 3.5dB") << "turning it into a high shelf lifted it to 2 kHz";
    band.SetType(ElementType::kLowPass);
    EXPECT_EQ(band.GetLabel(), "2000HZ ");
}

TEST(Filter, GainIndexDecidesTheBypass) {
    CFilter band;
    band.SetGainIndex(200);
    EXPECT_EQ(band.GetBypassState(), 1);
    band.SetDirty(0);
    band.SetBypass(0);
    EXPECT_EQ(band.GetBypassState(), 1) << "a 0 dB band stays bypassed";
    EXPECT_FALSE(band.IsDirty());
    EXPECT_EQ(band.EncodeBand()[6], 200);

    band.SetGainIndex(230);
    band.SetBypass(1);
    EXPECT_EQ(band.GetGainIndex(), 200) << "a bypassed +3 dB band sends 0 dB";
    EXPECT_TRUE(IsFlat(band));
    band.SetBypass(0);
    EXPECT_EQ(band.GetGainIndex(), 230);
    EXPECT_NEAR(band.GetResponse()[kIndex1000Hz], 3.0, 1e-9);
}

TEST(Filter, AllBypassOnThenOffRestoresThePreviousState) {
    CFilter active;
    active.SetGainIndex(260);
    active.SetDirty(0);
    active.SetAllBypass(1);
    EXPECT_EQ(active.GetBypassState(), 1);
    EXPECT_TRUE(IsFlat(active));
    EXPECT_TRUE(active.IsDirty());
    active.SetAllBypass(0);
    EXPECT_EQ(active.GetBypassState(), 0);
    EXPECT_NEAR(active.GetResponse()[kIndex1000Hz], 6.0, 1e-9);

    CFilter ownBypass;
    ownBypass.SetGainIndex(260);
    ownBypass.SetBypass(1);
    ownBypass.SetDirty(0);
    ownBypass.SetAllBypass(1);
    ownBypass.SetAllBypass(0);
    EXPECT_FALSE(ownBypass.IsDirty()) << "a band bypassed on its own is left alone";
    EXPECT_EQ(ownBypass.GetBypassState(), 1);

    CFilter twice;
    twice.SetGainIndex(260);
    twice.SetAllBypass(1);
    twice.SetAllBypass(1);  // saves the 1 it already has
    twice.SetAllBypass(0);
    EXPECT_EQ(twice.GetAllBypass(), 1) << "off restores the value before the last on";
}

TEST(Filter, SetBypassOffClearsAllBypassAndSetGainClearsBoth) {
    CFilter band;
    band.SetGainIndex(250);
    band.SetAllBypass(1);
    band.SetBypass(0);
    EXPECT_EQ(band.GetBypassState(), 0);
    band.SetBypass(1);
    band.SetAllBypass(1);
    band.SetGainIndex(240);
    EXPECT_EQ(band.GetBypass(), 0);
    EXPECT_EQ(band.GetAllBypass(), 0);
}

TEST(Filter, BandwidthIndexRoundTripsForEveryIndex) {
    CFilter band;
    for (int i = 0; i < 300; ++i) {
        band.SetBandwidthIndex(i);
        ASSERT_EQ(band.GetBandwidthIndex(), i);
    }
}

struct StepCase {
    const char* name;
    int kind;
    int from;
    int to;
    std::vector<int> sent;
};

class SentFrequencyTest : public testing::TestWithParam<StepCase> {};

TEST_P(SentFrequencyTest, WalksAtMostAnOctavePerSend) {
    const StepCase& c = GetParam();
    CFilter filter = Crossover(c.kind, c.to, c.from);
    std::vector<int> sent;
    while (filter.IsDirty() && sent.size() < 40) {
        filter.StepSentFrequency(0);
        sent.push_back(filter.GetSentFrequency());
    }
    // The last send repeats the target and clears the flag.
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent.back(), c.to);
    sent.pop_back();
    EXPECT_EQ(sent, c.sent);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SentFrequencyTest,
    testing::Values(StepCase{"Up", ElementType::kHighPass, 20, 1000, {40, 80, 160, 320, 640, 1000}},
                    StepCase{"Down", ElementType::kHighPass, 1000, 100, {500, 250, 125, 100}},
                    StepCase{"LowPassDown", ElementType::kLowPass, 20000, 15000, {15000}},
                    StepCase{"HalfIsStillAnOctave", ElementType::kLowPass, 1000, 500, {500}},
                    // A row read from the device may hold 0: no division, straight to the target.
                    StepCase{"FromZero", ElementType::kHighPass, 0, 300, {300}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Filter, StepSentFrequencyOnBandsAndSettledFiltersJustStoresTheFlag) {
    CFilter band;
    band.SetFrequency(5000);
    band.StepSentFrequency(0);
    EXPECT_FALSE(band.IsDirty());
    EXPECT_EQ(band.GetSentFrequency(), 20);
    band.StepSentFrequency(1);
    EXPECT_TRUE(band.IsDirty());

    CFilter settled = Crossover(ElementType::kHighPass, 100, 100);
    settled.StepSentFrequency(1);
    EXPECT_TRUE(settled.IsDirty());
    settled.StepSentFrequency(0);
    EXPECT_FALSE(settled.IsDirty());
}

// Band rows as the device lays them out, written by hand.
struct BandRowCase {
    const char* name;
    int kind, slope, bandwidthIndex, frequency, gainIndex;
    DeviceRow row;
};

class BandRowTest : public testing::TestWithParam<BandRowCase> {};

TEST_P(BandRowTest, EncodesToTheDeviceBytes) {
    const BandRowCase& c = GetParam();
    CFilter band;
    band.SetType(c.kind);
    band.SetSlope(c.slope);
    band.SetBandwidthIndex(c.bandwidthIndex);
    band.SetFrequency(c.frequency);
    band.SetGainIndex(c.gainIndex);
    DeviceRow row = band.EncodeBand();
    for (size_t i = 0; i < row.size(); ++i) {
        EXPECT_EQ(row[i], c.row[i]) << "byte " << i
                                    << " (0 kind, 1 slope, 2-3 bandwidth or shelf slope, "
                                       "4-5 frequency, 6-7 gain index)";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, BandRowTest,
    testing::Values(
        // 1000 Hz = E8 03, gain index 260 = 04 01, bandwidth index 29 = 1D.
        BandRowCase{
            "Peaking", 0, 0, 29, 1000, 260, {0x00, 0x00, 0x1D, 0x00, 0xE8, 0x03, 0x04, 0x01}},
        // A shelf repeats its slope where a band has its bandwidth; 250 Hz = FA 00, 170 = AA 00.
        BandRowCase{
            "LowShelf", 1, 1, 150, 250, 170, {0x01, 0x01, 0x01, 0x00, 0xFA, 0x00, 0xAA, 0x00}},
        // 12000 Hz = E0 2E; 0 dB sends 200 = C8 00; bandwidth index 299 = 2B 01.
        BandRowCase{"BypassedHighShelf",
                    2,
                    0,
                    299,
                    12000,
                    200,
                    {0x02, 0x00, 0x00, 0x00, 0xE0, 0x2E, 0xC8, 0x00}},
        BandRowCase{"WidestPeaking",
                    0,
                    3,
                    299,
                    20000,
                    0,
                    {0x00, 0x03, 0x2B, 0x01, 0x20, 0x4E, 0x00, 0x00}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Filter, DecodeBandReadsTheRowAndKeepsFamilyAndDirty) {
    CFilter band;
    band.SetFamily(FilterFamily::kBessel);
    band.SetGeqFrequency(631);
    band.SetGainIndex(260);
    band.SetAllBypass(1);
    band.SetDirty(0);
    const uint8_t row[8] = {0x00, 0x02, 0x63, 0x00,
                            0x10, 0x27, 0xE6, 0x00};  // 10 kHz, +3 dB, N 1.0
    band.DecodeBand(row);
    EXPECT_EQ(band.GetType(), ElementType::kPeaking);
    EXPECT_EQ(band.GetSlope(), 2);
    EXPECT_EQ(band.GetFrequency(), 10000);
    EXPECT_DOUBLE_EQ(band.GetGain(), 230 * 0.1 - 20);
    EXPECT_EQ(band.GetBandwidthIndex(), 99);
    EXPECT_EQ(band.GetBypassState(), 0) << "all-bypass is cleared by a device read";
    EXPECT_EQ(band.GetFamily(), FilterFamily::kBessel);
    EXPECT_EQ(band.GetGeqFrequency(), 631);
    EXPECT_FALSE(band.IsDirty());

    const uint8_t unity[8] = {0x00, 0x00, 0x1D, 0x00, 0xE8, 0x03, 0xC8, 0x00};
    band.DecodeBand(unity);
    EXPECT_EQ(band.GetBypass(), 1) << "gain index 200 is 0 dB and so bypassed";
}

TEST(Filter, DecodedShelvesKeepTheirFrequencyLimitsAndGetATinyBandwidth) {
    CFilter band;
    const uint8_t lowShelf5k[8] = {0x01, 0x01, 0x01, 0x00, 0x88, 0x13, 0xAA, 0x00};
    band.DecodeBand(lowShelf5k);
    EXPECT_EQ(band.GetFrequency(), 2000);
    EXPECT_DOUBLE_EQ(band.GetBandwidth(), 0.02) << "the slope index read as a bandwidth index";
    const uint8_t highShelf100[8] = {0x02, 0x00, 0x00, 0x00, 0x64, 0x00, 0xAA, 0x00};
    band.DecodeBand(highShelf100);
    EXPECT_EQ(band.GetFrequency(), 2000);
    EXPECT_DOUBLE_EQ(band.GetBandwidth(), 0.01);
}

TEST(Filter, DecodeCrossoverTakesItsOwnHalf) {
    // High-pass 80 Hz Bessel 24 dB, low-pass 12 kHz Butterworth 18 dB.
    const uint8_t row[8] = {0x50, 0x00, 0x01, 0x02, 0xE0, 0x2E, 0x02, 0x01};
    CFilter high;
    high.SetType(ElementType::kHighPass);
    high.DecodeCrossover(row);
    EXPECT_EQ(high.GetFrequency(), 80);
    EXPECT_EQ(high.GetSentFrequency(), 80);
    EXPECT_EQ(high.GetFamily(), FilterFamily::kBessel);
    EXPECT_EQ(high.GetSlope(), 2);
    EXPECT_LT(high.GetResponse()[0], -20.0);
    CFilter low;
    low.SetType(ElementType::kLowPass);
    low.DecodeCrossover(row);
    EXPECT_EQ(low.GetFrequency(), 12000);
    EXPECT_EQ(low.GetSentFrequency(), 12000);
    EXPECT_EQ(low.GetFamily(), FilterFamily::kButterworth);
    EXPECT_EQ(low.GetSlope(), 1);
}

TEST(Filter, FileRecordIsSixtyBytesInFieldOrder) {
    CFilter band;
    band.SetType(ElementType::kLowShelf);
    band.SetFrequency(250);
    band.SetGeqFrequency(47);
    band.SetGainIndex(150);  // -5 dB
    band.SetBandwidthIndex(99);
    band.SetSlope(1);
    band.SetId(7);
    std::vector<uint8_t> bytes = Store(band);
    ASSERT_EQ(bytes.size(), 60u);
    auto int32At = [&](size_t offset) {
        int32_t value;
        std::memcpy(&value, &bytes[offset], 4);
        return value;
    };
    auto doubleAt = [&](size_t offset) {
        double value;
        std::memcpy(&value, &bytes[offset], 8);
        return value;
    };
    EXPECT_EQ(int32At(0), 1) << "type";
    EXPECT_EQ(int32At(4), 250) << "frequency";
    EXPECT_EQ(int32At(8), 47) << "geqFrequency";
    EXPECT_EQ(int32At(12), 20) << "sentFrequency";
    EXPECT_DOUBLE_EQ(doubleAt(16), -5.0) << "gain";
    EXPECT_EQ(int32At(24), 0) << "allBypass";
    EXPECT_EQ(int32At(28), 0) << "bypass";
    EXPECT_DOUBLE_EQ(doubleAt(32), 1.0) << "bandwidth";
    EXPECT_DOUBLE_EQ(doubleAt(40), 0.22) << "geqBandwidth";
    EXPECT_EQ(int32At(48), 0) << "family";
    EXPECT_EQ(int32At(52), 1) << "slope";
    EXPECT_EQ(int32At(56), 7) << "id";
    EXPECT_EQ(bytes[0], 1) << "little-endian";
    EXPECT_TRUE(band.IsDirty()) << "an edit not yet sent stays pending when the file is saved";

    CFilter loaded;
    loaded.SetGainIndex(300);
    CArchive in = CArchive::ForLoading(bytes);
    loaded.Serialize(in);
    EXPECT_EQ(in.RemainingBytes(), 0u);
    EXPECT_EQ(Store(loaded), bytes);
    EXPECT_FALSE(loaded.IsDirty());
    EXPECT_EQ(loaded.GetResponse(), band.GetResponse());
}

// A file saved half-way through a crossover's walk: loading it must leave the
// crossover pending so the scans carry the device on to the target frequency.
TEST(Filter, LoadingACrossoverStillWalkingLeavesItDirty) {
    struct Case {
        int kind;
        int frequency;
        int sentFrequency;
        bool dirty;
    };
    const Case cases[] = {
        {ElementType::kHighPass, 1000, 160, true},
        {ElementType::kLowPass, 500, 8000, true},
        {ElementType::kHighPass, 1000, 1000, false},
    };
    for (const Case& c : cases) {
        CFilter saved = Crossover(c.kind, c.frequency, c.sentFrequency);
        const std::vector<uint8_t> bytes = Store(saved);
        CFilter loaded;
        loaded.SetType(c.kind);
        loaded.SetIsBand(0);
        CArchive in = CArchive::ForLoading(bytes);
        loaded.Serialize(in);
        EXPECT_EQ(loaded.GetSentFrequency(), c.sentFrequency);
        EXPECT_EQ(loaded.IsDirty() != 0, c.dirty) << c.frequency << " from " << c.sentFrequency;
        loaded.StepSentFrequency(0);
        EXPECT_NE(loaded.GetSentFrequency() == c.sentFrequency, c.dirty) << "the walk goes on";
    }
    CFilter band;
    band.SetFrequency(500);
    const std::vector<uint8_t> bytes = Store(band);
    CArchive in = CArchive::ForLoading(bytes);
    CFilter loadedBand;
    loadedBand.Serialize(in);
    EXPECT_FALSE(loadedBand.IsDirty()) << "bands have no walk; a loaded band is not pending";
}

TEST(Filter, LoadingALowShelfAbove2kHzBringsItTo2kHz) {
    CFilter band;
    band.SetType(ElementType::kLowShelf);
    std::vector<uint8_t> bytes = Store(band);
    bytes[4] = 0x88;  // frequency 5000 = 88 13
    bytes[5] = 0x13;
    CFilter loaded;
    CArchive in = CArchive::ForLoading(bytes);
    loaded.Serialize(in);
    EXPECT_EQ(loaded.GetFrequency(), 2000);
}

TEST(Filter, ShortRecordStopsTheLoad) {
    CFilter band;
    std::vector<uint8_t> bytes = Store(band);
    bytes.resize(59);
    CArchive in = CArchive::ForLoading(bytes);
    EXPECT_THROW(band.Serialize(in), ArchiveError);
}

TEST(Filter, DamagedFileValuesGiveDefinedCodesAndCurves) {
    CFilter band;
    std::vector<uint8_t> bytes = Store(band);
    double nan = std::numeric_limits<double>::quiet_NaN();
    double huge = 1e300;
    std::memcpy(&bytes[16], &huge, 8);  // gain
    std::memcpy(&bytes[32], &nan, 8);   // bandwidth
    std::memset(&bytes[28], 0, 4);      // not bypassed
    CArchive in = CArchive::ForLoading(bytes);
    band.Layout(PixelRect{0, 0, 600, 300});
    band.Serialize(in);
    EXPECT_EQ(band.GetBandwidthIndex(), 0) << "a NaN bandwidth counts as 0";
    EXPECT_EQ(band.GetGainIndex(), INT_MAX);
    EXPECT_FALSE(band.GetLabel().empty());
    for (double db : band.GetResponse()) {
        ASSERT_FALSE(std::isnan(db));
    }

    double hugeCut = -1e300;
    std::memcpy(&bytes[16], &hugeCut, 8);
    std::memcpy(&bytes[32], &hugeCut, 8);
    CArchive again = CArchive::ForLoading(bytes);
    band.Serialize(again);
    EXPECT_EQ(band.GetBandwidthIndex(), INT_MIN) << "no overflow below the smallest int";
    EXPECT_EQ(band.GetGainIndex(), INT_MIN);
    band.EncodeBand();
}

TEST(Filter, CopyFromTakesTheSoundParametersNotTheIdentity) {
    CFilter source;
    source.SetType(ElementType::kHighShelf);
    source.SetFrequency(8000);
    source.SetGainIndex(260);
    source.SetBandwidthIndex(49);
    source.SetFamily(FilterFamily::kBessel);
    source.SetSlope(1);
    source.SetId(9);
    source.SetGeqFrequency(3544);
    CFilter target;
    target.SetId(4);
    target.SetDirty(0);
    target.CopyFrom(source);
    EXPECT_EQ(target.GetType(), ElementType::kHighShelf);
    EXPECT_EQ(target.GetFrequency(), 8000);
    EXPECT_EQ(target.GetSentFrequency(), 8000);
    EXPECT_EQ(target.GetGainIndex(), 260);
    EXPECT_EQ(target.GetBandwidthIndex(), 49);
    EXPECT_EQ(target.GetFamily(), FilterFamily::kBessel);
    EXPECT_EQ(target.GetSlope(), 1);
    EXPECT_EQ(target.GetId(), 4);
    EXPECT_EQ(target.GetGeqFrequency(), 0);
    EXPECT_FALSE(target.IsDirty());
    EXPECT_EQ(target.GetResponse(), source.GetResponse());
}

TEST(Filter, SettersMarkDirtyAndLayoutMovesTheMarker) {
    CFilter band;
    band.Layout(PixelRect{0, 0, 600, 300});
    EXPECT_FALSE(band.IsDirty()) << "a new layout is not an edit";
    EXPECT_EQ(band.GetMarkerRect(), (PixelRect{366, 102, 382, 118}));
    EXPECT_EQ(band.GetCurve().size(), 243u);
    band.SetFrequency(200);
    EXPECT_TRUE(band.IsDirty());
    EXPECT_EQ(band.GetMarkerRect().left, 200 - 8 + 35);
    band.SetGainIndex(300);
    EXPECT_EQ(band.GetMarkerRect().top, 10) << "+10 dB sits at the top";
    EXPECT_EQ(band.GetCurve()[1 + 80].y, 10) << "the curve follows: +10 dB at the 198 Hz point";
}
