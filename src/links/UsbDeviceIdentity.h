// SPDX-License-Identifier: GPL-3.0-or-later
// Which HID interface is the audio processor. Vendor and product id alone are
// not enough: the same pair is used by other firmware, so the release number
// must match as well.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "links/HidDevice.h"

inline constexpr uint16_t kSonavelVendorId = 0x0483;
inline constexpr uint16_t kSonavelProductId = 0x5750;
inline constexpr uint16_t kSonavelReleaseNumber = 0x0200;

inline bool IsSonavelDevice(const HidDeviceInfo& device) {
    return device.vendorId == kSonavelVendorId && device.productId == kSonavelProductId &&
           device.releaseNumber == kSonavelReleaseNumber;
}

// The first matching interface in enumeration order.
inline std::optional<HidDeviceInfo> FindSonavelDevice(const std::vector<HidDeviceInfo>& devices) {
    for (const HidDeviceInfo& device : devices) {
        if (IsSonavelDevice(device)) {
            return device;
        }
    }
    return std::nullopt;
}
