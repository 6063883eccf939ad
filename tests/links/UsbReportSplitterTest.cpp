// SPDX-License-Identifier: GPL-3.0-or-later
#include "links/UsbReportSplitter.h"

#include <gtest/gtest.h>

#include <numeric>

#include "protocol/Frame.h"

namespace {

std::vector<uint8_t> FrameOfLength(size_t length) {
    std::vector<uint8_t> payload(length - kFrameOverhead);
    std::iota(payload.begin(), payload.end(), uint8_t{1});
    return AssembleFrame({Command::kWrite, 1, 0, 0, 0}, payload);
}

std::vector<UsbReportSplitter::Report> SplitAll(UsbReportSplitter& splitter) {
    std::vector<UsbReportSplitter::Report> reports;
    while (!splitter.LastPieceWritten()) {
        reports.push_back(splitter.NextReport());
    }
    return reports;
}

struct SplitCase {
    size_t frameLength;
    size_t reports;
    size_t bytesInLastReport;
};

class UsbReportSplitterCases : public testing::TestWithParam<SplitCase> {};

TEST_P(UsbReportSplitterCases, CutsFrameIntoZeroPaddedReportsWithReportIdZero) {
    const SplitCase& c = GetParam();
    const std::vector<uint8_t> frame = FrameOfLength(c.frameLength);
    UsbReportSplitter splitter;
    splitter.Load(frame);
    const auto reports = SplitAll(splitter);

    ASSERT_EQ(reports.size(), c.reports);
    std::vector<uint8_t> carried;
    for (size_t i = 0; i < reports.size(); ++i) {
        EXPECT_EQ(reports[i][0], 0) << "report id of report " << i;
        const size_t used = i + 1 == reports.size() ? c.bytesInLastReport : 64;
        carried.insert(carried.end(), reports[i].begin() + 1, reports[i].begin() + 1 + used);
        for (size_t byte = 1 + used; byte < kHidReportSize; ++byte) {
            EXPECT_EQ(reports[i][byte], 0) << "padding byte " << byte << " of report " << i;
        }
    }
    EXPECT_EQ(carried, frame);
}

INSTANTIATE_TEST_SUITE_P(FrameLengths, UsbReportSplitterCases,
                         testing::Values(SplitCase{15, 1, 15}, SplitCase{22, 1, 22},
                                         SplitCase{64, 1, 64}, SplitCase{65, 2, 1},
                                         SplitCase{102, 2, 38}, SplitCase{128, 2, 64},
                                         SplitCase{1046, 17, 22}));

TEST(UsbReportSplitter, RewindWritesTheFrameAgainFromItsFirstReport) {
    UsbReportSplitter splitter;
    splitter.Load(FrameOfLength(102));
    const auto first = SplitAll(splitter);
    splitter.Rewind();
    EXPECT_FALSE(splitter.LastPieceWritten());
    EXPECT_EQ(SplitAll(splitter), first);
}

TEST(UsbReportSplitter, LengthFieldBeyondTheHeldBytesStopsAtTheBytesHeld) {
    std::vector<uint8_t> frame = FrameOfLength(22);
    frame[10] = 0xFF;  // announces 255 + 14 bytes
    UsbReportSplitter splitter;
    splitter.Load(frame);
    const auto reports = SplitAll(splitter);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_TRUE(std::equal(frame.begin(), frame.end(), reports[0].begin() + 1));
}

}  // namespace
