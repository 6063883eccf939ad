// SPDX-License-Identifier: GPL-3.0-or-later
// Reassembly of replies from 64-byte USB report data.
#include <gtest/gtest.h>

#include <vector>

#include "ProtocolFakes.h"
#include "protocol/UsbAssembler.h"

namespace {

constexpr size_t kReportData = 64;

// Cuts a byte stream into 64-byte reports, padding the last with `padding`.
std::vector<std::vector<uint8_t>> Reports(const std::vector<uint8_t>& bytes, uint8_t padding) {
    std::vector<std::vector<uint8_t>> reports;
    for (size_t i = 0; i < bytes.size(); i += kReportData) {
        std::vector<uint8_t> report(kReportData, padding);
        std::copy(
            bytes.begin() + static_cast<std::ptrdiff_t>(i),
            bytes.begin() + static_cast<std::ptrdiff_t>(std::min(bytes.size(), i + kReportData)),
            report.begin());
        reports.push_back(report);
    }
    return reports;
}

TEST(UsbAssembler, PaddingAfterTheTerminatorIsIgnored) {
    UsbAssembler assembler;
    // Padding of sync bytes would start a second frame if it were read.
    const auto reports = Reports(Accepted(), 0x5A);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_TRUE(assembler.Feed(reports[0]));
    EXPECT_FALSE(assembler.HasError());
    EXPECT_EQ(std::vector<uint8_t>(assembler.Frame().begin(), assembler.Frame().end()), Accepted());
}

TEST(UsbAssembler, ProgramOverSeventeenReports) {
    const std::vector<uint8_t> reply =
        DeviceReply(Command::kProgramRead, 0, 0, 0xFF, std::vector<uint8_t>(1032, 0xAA));
    const auto reports = Reports(reply, 0x00);
    UsbAssembler assembler;
    for (size_t i = 0; i + 1 < reports.size(); ++i) {
        ASSERT_FALSE(assembler.Feed(reports[i])) << "report " << i;
    }
    EXPECT_TRUE(assembler.Feed(reports.back()));
    EXPECT_FALSE(assembler.HasError());
    EXPECT_EQ(assembler.Frame().size(), 1046u);
}

TEST(UsbAssembler, BytesBetweenSyncBytesAreIgnored) {
    std::vector<uint8_t> report{0x5A, 0x01, 0x5A, 0x02, 0x5A};
    const std::vector<uint8_t> reply = Accepted();
    report.insert(report.end(), reply.begin() + 3, reply.end());
    UsbAssembler assembler;
    EXPECT_TRUE(assembler.Feed(report));
    EXPECT_FALSE(assembler.HasError());
}

TEST(UsbAssembler, BadChecksumOrTerminatorCompletesWithError) {
    for (const size_t corrupt : {size_t{20}, size_t{21}}) {
        std::vector<uint8_t> bad = Accepted();
        bad[corrupt] ^= 0x10;
        UsbAssembler assembler;
        EXPECT_TRUE(assembler.Feed(bad));
        EXPECT_TRUE(assembler.HasError()) << "corrupted byte " << corrupt;
    }
}

TEST(UsbAssembler, OversizedOrNegativeLengthIsAnErrorNotAnOverrun) {
    for (const uint8_t high : {uint8_t{0x05}, uint8_t{0x80}, uint8_t{0xFF}}) {
        std::vector<uint8_t> report{0x5A, 0x5A, 0x5A, 0, 0, 0xA8, 0, 0, 0, 0, 0xFF, high};
        report.resize(kReportData, 0x11);
        UsbAssembler assembler;
        EXPECT_TRUE(assembler.Feed(report));
        EXPECT_TRUE(assembler.HasError());
        for (int i = 0; i < 40; ++i) {
            assembler.Feed(std::vector<uint8_t>(kReportData, 0x11));
        }
        assembler.Reset();
        EXPECT_TRUE(assembler.Feed(Accepted()));
        EXPECT_FALSE(assembler.HasError());
    }
}

TEST(UsbAssembler, FeedingOnAfterACompleteFrameStartsAfresh) {
    UsbAssembler assembler;
    ASSERT_TRUE(assembler.Feed(Accepted()));
    EXPECT_TRUE(assembler.Feed(Accepted()));
    EXPECT_FALSE(assembler.HasError());
}

}  // namespace
