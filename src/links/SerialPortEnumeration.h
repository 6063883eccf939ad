// SPDX-License-Identifier: GPL-3.0-or-later
// Turns the ports a source lists into the records the Connect dialog offers:
// only USB-to-UART bridges of the device's kind (friendly name containing both
// "CP21" and "USB"), named by the text in the friendly name's parentheses,
// optionally only those that can be opened right now.
//
// The constraint: the rules are applied in one fixed order (bridge mark,
// record, probe, display name, description) because each one reads what the
// previous one left; the probe opens ports, so the Connect dialog never asks for it.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "links/SerialPortRecord.h"

// True when a device path can be opened for reading and writing, unshared.
using PortProbe = std::function<bool(const std::string& devicePath)>;

bool IsUsbBridgeName(const std::string& friendlyName);
// The text between the first "(" and the following ")", or "" without both.
std::string ParenthesisedName(const std::string& friendlyName);
// "Name (ttyUSB0)" becomes "Name"; anything else stays as it is.
std::string WithoutTrailingPortName(const std::string& text);

// Empties `records` and fills it; returns the source's error text, "" when none.
std::string EnumerateSerialPorts(PortInfoSource& source, std::vector<SerialPortRecord>& records,
                                 bool probe, const PortProbe& prober);
// Same, probing by opening the port for real.
std::string EnumerateSerialPorts(PortInfoSource& source, std::vector<SerialPortRecord>& records,
                                 bool probe);
bool CanOpenPort(const std::string& devicePath);

// The Connect dialog's serial port list and the port name it leaves stored.
struct ConnectPortChoice {
    std::vector<std::string> entries;
    int selected = 0;
    std::string serialPortName;
};
inline constexpr const char* kNoPortEntry = "NULL";
ConnectPortChoice ChooseConnectPorts(const std::vector<SerialPortRecord>& found,
                                     const std::string& storedName);
