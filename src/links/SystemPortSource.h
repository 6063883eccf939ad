// SPDX-License-Identifier: GPL-3.0-or-later
// The machine's serial port listing for the Connect dialog and the client:
// sysfs on Linux, where it also reads the bridge's USB strings; Qt's serial
// port information everywhere else.
#pragma once

#include <memory>

#include "links/SerialPortRecord.h"

std::unique_ptr<PortInfoSource> MakeSystemPortSource();
