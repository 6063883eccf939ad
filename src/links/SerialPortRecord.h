// SPDX-License-Identifier: GPL-3.0-or-later
// What the port enumeration knows about one serial port, raw and finished:
// the facts a source reads from the system, and the record the Connect
// dialog's list is built from.
#pragma once

#include <optional>
#include <string>
#include <vector>

// One port as the system lists it, before any rule is applied.
struct PortInterfaceInfo {
    std::string devicePath;  // "/dev/ttyUSB0"
    std::string portName;    // "ttyUSB0"
    // "Silicon Labs CP2102 USB to UART Bridge Controller (ttyUSB0)"; nothing
    // when the system gave no name.
    std::optional<std::string> friendlyName;
    std::optional<std::string> description;
    // The port's position on a bus (its parent USB device) could be read.
    bool hasLocation = false;
};

struct PortListing {
    std::vector<PortInterfaceInfo> ports;
    // Set when listing stopped early; the ports found before it are kept.
    std::string error;
};

struct SerialPortRecord {
    std::string devicePath;
    std::string portName;
    std::string displayName;  // what the Connect dialog lists, such as ttyUSB0
    int usbBridge = 0;        // 1: a USB-to-UART bridge the device uses
    std::string description;
    friend bool operator==(const SerialPortRecord&, const SerialPortRecord&) = default;
};

// Where the enumeration gets its ports: the system, or a test.
class PortInfoSource {
  public:
    virtual ~PortInfoSource() = default;
    virtual PortListing List() = 0;
};
