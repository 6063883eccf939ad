// SPDX-License-Identifier: GPL-3.0-or-later
// What could be connected: the machine's serial ports, each with the bridge
// mark the Connect dialog filters on, and the HID interfaces that are the
// device. Listing opens nothing.
#include <cstdio>
#include <memory>
#include <ostream>

#include "commands/CliCommands.h"
#include "device/DeviceCommands.h"
#include "links/HidApiBackend.h"
#include "links/SerialPortEnumeration.h"
#include "links/SystemPortSource.h"
#include "links/UsbDeviceIdentity.h"

namespace cli {
namespace {
bool HasBridgeMark(const PortInterfaceInfo& port) {
    return port.hasLocation && port.friendlyName && IsUsbBridgeName(*port.friendlyName);
}

std::string FourHexDigits(uint16_t value) {
    char text[5];
    std::snprintf(text, sizeof text, "%04x", static_cast<unsigned>(value));
    return text;
}
}  // namespace

int RunPorts(const DeviceArguments& arguments, const DeviceEnvironment& environment,
             std::ostream& out, std::ostream& err) {
    if (!arguments.operands.empty()) {
        err << "usage: sonavel-cli ports\n";
        return kUsageError;
    }
    const std::unique_ptr<PortInfoSource> system = MakeSystemPortSource();
    PortInfoSource& source = environment.portSource != nullptr ? *environment.portSource : *system;
    const PortListing listing = source.List();
    // One port a line: path, "bridge" or "-", and the friendly name.
    for (const PortInterfaceInfo& port : listing.ports) {
        out << port.devicePath << '\t' << (HasBridgeMark(port) ? "bridge" : "-") << '\t'
            << port.friendlyName.value_or("") << '\n';
    }
    if (!listing.error.empty()) {
        err << "listing serial ports stopped: " << listing.error << '\n';
        return kFailure;
    }
    return kSuccess;
}

int RunUsbDevices(const DeviceArguments& arguments, const DeviceEnvironment& environment,
                  std::ostream& out, std::ostream& err) {
    if (!arguments.operands.empty()) {
        err << "usage: sonavel-cli usb\n";
        return kUsageError;
    }
    std::unique_ptr<HidApiBackend> system;
    HidBackend* backend = environment.hidBackend;
    if (backend == nullptr) {
        system = std::make_unique<HidApiBackend>();
        backend = system.get();
    }
    // One interface a line: path, vendor:product and release number.
    for (const HidDeviceInfo& device : backend->Enumerate()) {
        if (IsSonavelDevice(device)) {
            out << device.path << '\t' << FourHexDigits(device.vendorId) << ':'
                << FourHexDigits(device.productId) << '\t' << FourHexDigits(device.releaseNumber)
                << '\n';
        }
    }
    return kSuccess;
}

}  // namespace cli
