// SPDX-License-Identifier: GPL-3.0-or-later
// HID access through hidapi's hidraw backend. hidraw returns the input report
// of a device without numbered reports as its 64 data bytes only; the report id
// 0 is put back in front so that callers always see 65-byte reports.
#pragma once

#include "links/HidDevice.h"

class HidApiBackend final : public HidBackend {
  public:
    HidApiBackend();
    ~HidApiBackend() override;
    HidApiBackend(const HidApiBackend&) = delete;
    HidApiBackend& operator=(const HidApiBackend&) = delete;

    std::vector<HidDeviceInfo> Enumerate() override;
    std::unique_ptr<HidConnection> Open(const std::string& path) override;

    // Backends alive now: hidapi's process-wide state is released with the last.
    static int LibraryUsers();
};
