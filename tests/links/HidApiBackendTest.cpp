// SPDX-License-Identifier: GPL-3.0-or-later
// The real hidraw backend, on whatever this machine has (usually nothing):
// it must fail cleanly, never crash or hang, when the device is not there.
#include "links/HidApiBackend.h"

#include <gtest/gtest.h>

TEST(HidApiBackend, ListsOnlyDevicesWithAPathAndRefusesAMissingOne) {
    HidApiBackend backend;
    for (const HidDeviceInfo& device : backend.Enumerate()) {
        EXPECT_FALSE(device.path.empty());
    }
    EXPECT_EQ(backend.Open("/dev/hidraw-sonavel-missing"), nullptr);
}

TEST(HidApiBackend, SeveralBackendsShareTheLibrary) {
    auto first = std::make_unique<HidApiBackend>();
    {
        HidApiBackend second;
        second.Enumerate();
    }
    // The first is still usable after the second has gone.
    first->Enumerate();
    EXPECT_EQ(first->Open("/dev/hidraw-sonavel-missing"), nullptr);
}
