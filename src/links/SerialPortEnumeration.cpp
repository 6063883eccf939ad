// SPDX-License-Identifier: GPL-3.0-or-later
#include "links/SerialPortEnumeration.h"

#include <algorithm>

#include "links/platform/SerialDevice.h"

bool IsUsbBridgeName(const std::string& friendlyName) {
    return friendlyName.find("CP21") != std::string::npos &&
           friendlyName.find("USB") != std::string::npos;
}

std::string ParenthesisedName(const std::string& friendlyName) {
    const size_t open = friendlyName.find('(');
    if (open == std::string::npos) {
        return {};
    }
    const size_t close = friendlyName.find(')', open + 1);
    if (close == std::string::npos) {
        return {};
    }
    return friendlyName.substr(open + 1, close - open - 1);
}

std::string WithoutTrailingPortName(const std::string& text) {
    const size_t cut = text.find(" (");
    if (!text.empty() && text.back() == ')' && cut != std::string::npos && cut > 0) {
        return text.substr(0, cut);
    }
    return text;
}

std::string EnumerateSerialPorts(PortInfoSource& source, std::vector<SerialPortRecord>& records,
                                 bool probe, const PortProbe& prober) {
    records.clear();
    PortListing listing = source.List();
    for (const PortInterfaceInfo& info : listing.ports) {
        const bool bridge =
            info.hasLocation && info.friendlyName && IsUsbBridgeName(*info.friendlyName);
        if (!info.friendlyName || !info.description || !bridge) {
            continue;
        }
        SerialPortRecord record;
        record.devicePath = info.devicePath;
        record.displayName = ParenthesisedName(*info.friendlyName);
        record.usbBridge = 1;
        record.description = *info.description;
        if (record.displayName.empty()) {
            continue;
        }
        records.push_back(std::move(record));
    }
    if (probe) {
        std::erase_if(records,
                      [&](const SerialPortRecord& record) { return !prober(record.devicePath); });
    }
    for (SerialPortRecord& record : records) {
        if (record.displayName.empty()) {
            record.displayName = record.portName;
        }
        if (record.description.empty()) {
            record.description = WithoutTrailingPortName(record.displayName);
        }
    }
    return listing.error;
}

std::string EnumerateSerialPorts(PortInfoSource& source, std::vector<SerialPortRecord>& records,
                                 bool probe) {
    return EnumerateSerialPorts(source, records, probe, CanOpenPort);
}

bool CanOpenPort(const std::string& devicePath) {
    SerialDevice::Handle handle = SerialDevice::kNoHandle;
    if (SerialDevice::OpenUnshared(devicePath, handle) != 0) {
        return false;
    }
    SerialDevice::Close(handle);
    return true;
}

std::vector<SerialPortRecord> ListEveryPort(PortInfoSource& source) {
    std::vector<SerialPortRecord> bridges;
    std::vector<SerialPortRecord> others;
    for (const PortInterfaceInfo& info : source.List().ports) {
        SerialPortRecord record;
        record.devicePath = info.devicePath;
        record.portName = info.portName;
        record.usbBridge =
            info.hasLocation && info.friendlyName && IsUsbBridgeName(*info.friendlyName) ? 1 : 0;
        if (info.friendlyName) {
            record.displayName = ParenthesisedName(*info.friendlyName);
        }
        if (record.displayName.empty()) {
            record.displayName = info.portName;
        }
        if (record.displayName.empty()) {
            continue;
        }
        record.description = WithoutTrailingPortName(info.description.value_or(""));
        (record.usbBridge == 1 ? bridges : others).push_back(std::move(record));
    }
    bridges.insert(bridges.end(), std::make_move_iterator(others.begin()),
                   std::make_move_iterator(others.end()));
    return bridges;
}

ConnectPortChoice ChooseConnectPorts(const std::vector<SerialPortRecord>& ports,
                                     const std::string& storedName) {
    ConnectPortChoice choice;
    choice.ports = ports;
    const auto named = [&](const SerialPortRecord& record) {
        return !storedName.empty() &&
               (record.displayName == storedName || record.devicePath == storedName);
    };
    const auto stored = std::find_if(ports.begin(), ports.end(), named);
    if (stored != ports.end()) {
        choice.selected = static_cast<int>(stored - ports.begin());
    } else if (!storedName.empty()) {
        choice.otherPath = storedName;
        choice.serialPortName = storedName;
        return choice;
    } else {
        const auto bridge = std::find_if(ports.begin(), ports.end(),
                                         [](const auto& record) { return record.usbBridge == 1; });
        if (bridge != ports.end()) {
            choice.selected = static_cast<int>(bridge - ports.begin());
        } else if (!ports.empty()) {
            choice.selected = 0;
        } else {
            return choice;
        }
    }
    choice.serialPortName = ports[static_cast<size_t>(choice.selected)].displayName;
    return choice;
}
