// SPDX-License-Identifier: GPL-3.0-or-later
// The command line of a device command: the options (--link, --out,
// --timeout, -v) wherever they stand, the command word and its own words.
#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "device/LinkAddress.h"

namespace cli {

struct DeviceArguments {
    // The link a command runs against; with several --link options, each in turn.
    std::optional<LinkAddress> link;
    // Every --link, in the order given.
    std::vector<LinkAddress> links;
    std::optional<std::string> outPath;
    // Longer than the slowest recovery a link makes before it gives up (TCP:
    // a reconnect every 20 s, the fourth time-out of a bulk request fatal).
    int timeoutSeconds = 120;
    bool verbose = false;
    std::string command;
    std::vector<std::string> operands;
};

// The arguments, or the one-line reason they are wrong.
std::variant<DeviceArguments, std::string> ParseDeviceArguments(
    const std::vector<std::string>& words);

// True when the words ask for a device command rather than a file command.
bool IsDeviceCommandLine(const std::vector<std::string>& words);

}  // namespace cli
