// SPDX-License-Identifier: GPL-3.0-or-later
// hidraw returns an input report of a device without numbered reports as its
// data bytes only. The link always sees 65-byte reports with the report id in
// byte 0, so the id is put back in front here, apart from the library call, so
// that the shifting can be checked without a device.
#pragma once

#include <algorithm>
#include <chrono>
#include <climits>
#include <span>

#include "links/HidDevice.h"

// A read time-out as the whole milliseconds hidapi takes: never negative,
// never past what an int holds.
inline int HidTimeoutMilliseconds(std::chrono::milliseconds timeout) {
    return static_cast<int>(std::clamp<long long>(timeout.count(), 0, INT_MAX));
}

// `readData(data, capacity)` reads at most `capacity` data bytes and returns
// their count, 0 when nothing came within the time-out, or a negative value on
// failure (the contract of hid_read_timeout).
template <class ReadData>
HidReadResult ReadUnnumberedReport(std::span<uint8_t> report, ReadData&& readData) {
    if (report.size() < kHidReportSize) {
        return {HidReadResult::Status::Failed, 0};
    }
    const int count = readData(report.data() + 1, kHidReportDataSize);
    if (count < 0) {
        return {HidReadResult::Status::Failed, 0};
    }
    if (count == 0) {
        return {HidReadResult::Status::TimedOut, 0};
    }
    report[0] = 0;
    const size_t dataBytes = std::min(static_cast<size_t>(count), kHidReportDataSize);
    return {HidReadResult::Status::Received, dataBytes + 1};
}
