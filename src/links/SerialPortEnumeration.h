// SPDX-License-Identifier: GPL-3.0-or-later
// Turns the ports a source lists into records: the USB-to-UART bridges of the
// device's kind (friendly name containing both "CP21" and "USB"), named by the
// text in the friendly name's parentheses, optionally only those that can be
// opened right now; and, for the Connect dialog, every port with the bridges
// first and marked.
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

// Every port the source lists, as the Connect dialog offers them: the bridges
// of the device's kind first (marked), then the others, each in listing order.
std::vector<SerialPortRecord> ListEveryPort(PortInfoSource& source);

// The Connect dialog's serial port choice: the listed ports, the one selected
// (or "Other..." with a typed path), and the port name it leaves stored.
struct ConnectPortChoice {
    std::vector<SerialPortRecord> ports;
    // Index into `ports`, or kOtherPort: the path typed under "Other...".
    int selected = kOtherPort;
    std::string otherPath;
    // Empty when there is nothing to open: Enter then asks for a port
    // instead of opening a port that does not exist.
    std::string serialPortName;
    static constexpr int kOtherPort = -1;
};
// The stored port when it is listed; a stored name that is not listed (a
// pseudo-terminal, a by-id link) under "Other..."; else the first bridge;
// else the first port; with no port at all, nothing.
ConnectPortChoice ChooseConnectPorts(const std::vector<SerialPortRecord>& ports,
                                     const std::string& storedName);
