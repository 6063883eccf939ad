// SPDX-License-Identifier: GPL-3.0-or-later
// The real hidraw backend. No HID device is needed: the report-id shifting is
// driven through a stand-in read, and the library itself must refuse paths
// that are missing or are not HID devices, and stay initialised while any
// backend is alive.
#include "links/HidApiBackend.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cstring>
#include <numeric>

#include "links/HidRawReport.h"
#include "links/PseudoTerminal.h"

namespace {

using Status = HidReadResult::Status;

TEST(HidRawReport, PutsTheReportIdInFrontOfTheDataBytes) {
    std::array<uint8_t, kHidReportSize> report{};
    report.fill(0xEE);
    size_t asked = 0;
    const HidReadResult full = ReadUnnumberedReport(report, [&](uint8_t* data, size_t capacity) {
        asked = capacity;
        std::iota(data, data + capacity, uint8_t{1});
        return static_cast<int>(capacity);
    });
    EXPECT_EQ(asked, kHidReportDataSize);
    EXPECT_EQ(full.status, Status::Received);
    EXPECT_EQ(full.count, kHidReportSize);
    EXPECT_EQ(report[0], 0);
    EXPECT_EQ(report[1], 1);
    EXPECT_EQ(report[64], 64);

    // A short report keeps its length, plus the id.
    const HidReadResult shortRead = ReadUnnumberedReport(report, [](uint8_t* data, size_t) {
        std::memset(data, 0x5A, 10);
        return 10;
    });
    EXPECT_EQ(shortRead.status, Status::Received);
    EXPECT_EQ(shortRead.count, 11u);
}

TEST(HidRawReport, TellsATimeOutFromAFailureAndRefusesASmallBuffer) {
    std::array<uint8_t, kHidReportSize> report{};
    EXPECT_EQ(ReadUnnumberedReport(report, [](uint8_t*, size_t) { return 0; }).status,
              Status::TimedOut);
    EXPECT_EQ(ReadUnnumberedReport(report, [](uint8_t*, size_t) { return -1; }).status,
              Status::Failed);

    std::array<uint8_t, kHidReportDataSize> tooSmall{};
    bool called = false;
    const HidReadResult refused = ReadUnnumberedReport(tooSmall, [&](uint8_t*, size_t) {
        called = true;
        return 1;
    });
    EXPECT_EQ(refused.status, Status::Failed);
    EXPECT_FALSE(called) << "a read into a buffer without room for the id";
}

TEST(HidRawReport, TimeOutsFitTheLibrarysInt) {
    using std::chrono::milliseconds;
    EXPECT_EQ(HidTimeoutMilliseconds(milliseconds(500)), 500);
    EXPECT_EQ(HidTimeoutMilliseconds(milliseconds(-3)), 0);
    EXPECT_EQ(HidTimeoutMilliseconds(milliseconds(1LL << 40)), INT_MAX);
}

TEST(HidApiBackend, RefusesPathsThatAreMissingOrNotHidDevices) {
    HidApiBackend backend;
    for (const HidDeviceInfo& device : backend.Enumerate()) {
        EXPECT_FALSE(device.path.empty());
    }
    EXPECT_EQ(backend.Open("/dev/hidraw-sonavel-missing"), nullptr);
    // A terminal opens as a file but is no HID device; the library itself
    // would crash on it, so the backend must not pass it on.
    PseudoTerminal terminal;
    ASSERT_FALSE(terminal.SlavePath().empty());
    EXPECT_EQ(backend.Open(terminal.SlavePath()), nullptr);
}

TEST(HidApiBackend, TheLibraryStaysInitialisedWhileAnyBackendLives) {
    const int before = HidApiBackend::LibraryUsers();
    auto first = std::make_unique<HidApiBackend>();
    {
        HidApiBackend second;
        EXPECT_EQ(HidApiBackend::LibraryUsers(), before + 2);
    }
    EXPECT_EQ(HidApiBackend::LibraryUsers(), before + 1);
    EXPECT_EQ(first->Open("/dev/hidraw-sonavel-missing"), nullptr);
    first.reset();
    EXPECT_EQ(HidApiBackend::LibraryUsers(), before);
}

}  // namespace
