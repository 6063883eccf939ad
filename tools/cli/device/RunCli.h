// SPDX-License-Identifier: GPL-3.0-or-later
// The whole command line of sonavel-cli with the device commands: a line that
// names a device command or a device option runs here, anything else is a
// file command. Tests call this in-process with their own environment.
//
// The constraint: device commands need a Qt event loop; when no
// QCoreApplication exists yet, one is made for the duration of the command.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "device/DeviceEnvironment.h"

namespace cli {

int RunCli(const std::vector<std::string>& words, std::ostream& out, std::ostream& err,
           const DeviceEnvironment& environment = {});

}  // namespace cli
