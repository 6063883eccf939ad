// SPDX-License-Identifier: GPL-3.0-or-later
// The narrow HID access the USB link needs: list devices with their ids, open
// one by path, write a 65-byte output report and read a 65-byte input report.
// Reports are always 65 bytes with the report id in byte 0, whatever the
// platform hands back, so the link never knows which backend it runs on.
// A read and a write must each return within their time-out: the USB worker
// relies on that to notice a stop request and to recover from a device that
// stops taking reports.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

inline constexpr size_t kHidReportSize = 65;
inline constexpr size_t kHidReportDataSize = kHidReportSize - 1;

struct HidDeviceInfo {
    std::string path;
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t releaseNumber = 0;
};

// Result of one read: a count of report bytes, nothing within the time-out, or
// a failed read (device gone, I/O error).
struct HidReadResult {
    enum class Status { Received, TimedOut, Failed };
    Status status = Status::TimedOut;
    size_t count = 0;
};

class HidConnection {
  public:
    virtual ~HidConnection() = default;
    // `report` is the whole report, byte 0 being the report id. False when it
    // was not taken whole within `timeout`.
    virtual bool WriteReport(std::span<const uint8_t> report,
                             std::chrono::milliseconds timeout) = 0;
    // Fills `report` (at least 65 bytes) with byte 0 = report id and the data after it.
    virtual HidReadResult ReadReport(std::span<uint8_t> report,
                                     std::chrono::milliseconds timeout) = 0;
};

class HidBackend {
  public:
    virtual ~HidBackend() = default;
    virtual std::vector<HidDeviceInfo> Enumerate() = 0;
    // Null when the device cannot be opened.
    virtual std::unique_ptr<HidConnection> Open(const std::string& path) = 0;
};
