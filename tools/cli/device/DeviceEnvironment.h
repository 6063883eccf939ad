// SPDX-License-Identifier: GPL-3.0-or-later
// What a device command reaches outside itself: the HID bus and the serial
// port list of the machine, unless a test hands in its own, and how fast the
// link pumps tick.
#pragma once

class HidBackend;
class PortInfoSource;

namespace cli {

struct DeviceEnvironment {
    // Null: the system's hidraw devices.
    HidBackend* hidBackend = nullptr;
    // Null: the system's serial ports from sysfs.
    PortInfoSource* portSource = nullptr;
    // Tests only. Pumps count ticks, so a shorter interval only saves real time;
    // 0 keeps the links' own intervals.
    int pumpIntervalMs = 0;
    // Tests only: divides the USB link's reply time-outs and pauses.
    int usbTimingDivisor = 1;
};

}  // namespace cli
