// SPDX-License-Identifier: GPL-3.0-or-later
// How to reach the device this run: the link type, the serial port name, the
// device's IP address and TCP port. Nothing of it is stored between runs.
//
// The constraint: the default address is the device's factory address, which
// nothing may connect to by itself; tests always set 127.0.0.1.
#pragma once

#include <string>

#include "links/LinkKind.h"

inline constexpr const char* kFactoryDeviceAddress = "192.168.1.100";
inline constexpr int kDefaultTcpPort = 8080;

struct ConnectionSettings {
    LinkKind linkKind = LinkKind::Serial;
    std::string serialPortName;
    std::string deviceAddress = kFactoryDeviceAddress;
    int tcpPort = kDefaultTcpPort;
};
