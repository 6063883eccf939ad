// SPDX-License-Identifier: GPL-3.0-or-later
// Device bytes as USB input reports (whole or short) through the USB assembler
// and the dispatcher, with the worker's reaction to each completed frame (the
// recovery resets after an error): no crash, no sanitizer report. Then the
// recovery's reset and a good reply after noise, cut into reports of any
// length, with padding after its terminator: it must complete exactly once,
// on its last byte, and act as if the device had sent it in whole reports
// (ReplyOracle.h).
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "ReplyOracle.h"

namespace {
constexpr size_t kReportData = 64;

// The device's own cut: every reply starts a report, the last one zero-padded.
void FeedInWholeReports(CCommand& engine, std::span<const uint8_t> reply) {
    while (!reply.empty()) {
        std::array<uint8_t, kReportData> report{};
        const size_t length = std::min(kReportData, reply.size());
        std::copy_n(reply.begin(), length, report.begin());
        engine.FeedUsb(report);
        reply = reply.subspan(length);
    }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    oracle::Rig rig;
    CCommand& engine = rig.engine.command;

    const std::vector<uint8_t> garbage =
        input.ConsumeBytes<uint8_t>(input.ConsumeIntegralInRange<size_t>(0, 4096));
    UsbTransmission transmission;
    for (std::span<const uint8_t> report : oracle::Cut(input, garbage, kReportData)) {
        if (!engine.TakeHeadForUsb(transmission)) {
            engine.TakeHeadForUsb(transmission);
        }
        const UsbFeedResult result = engine.FeedUsb(report);
        if (result.frameComplete && result.error && engine.NoteUsbFailure()) {
            engine.Queue().Clear();
        }
    }

    engine.ResetUsbReceiver();
    oracle::QueueTwoPolls(rig);
    oracle::Rig twin;
    oracle::MakeTwin(rig, twin);

    const std::vector<uint8_t> reply = oracle::ConsumeReply(input);
    std::vector<uint8_t> stream = oracle::ConsumeNoise(input, 200);
    stream.insert(stream.end(), reply.begin(), reply.end());
    std::vector<std::span<const uint8_t>> reports = oracle::Cut(input, stream, kReportData);
    // Padding after the terminator in the same report is ignored.
    std::vector<uint8_t> lastReport(reports.back().begin(), reports.back().end());
    lastReport.resize(
        std::max(lastReport.size(), input.ConsumeIntegralInRange<size_t>(0, kReportData)),
        input.ConsumeIntegral<uint8_t>());
    reports.back() = lastReport;
    for (size_t i = 0; i < reports.size(); ++i) {
        const UsbFeedResult result = engine.FeedUsb(reports[i]);
        oracle::Require(result.frameComplete == (i + 1 == reports.size()));
    }

    FeedInWholeReports(twin.engine.command, reply);
    oracle::RequireDispatchedOnce(rig, reply, oracle::Capture(rig), oracle::Capture(twin));
    return 0;
}
