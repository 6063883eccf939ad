// SPDX-License-Identifier: GPL-3.0-or-later
// The commands that talk to a device: read, write, recall, store and
// effect-group over the link of --link, and the two listings of what could be
// connected (ports, usb). Each returns the process exit status; a failure
// writes one line to `err`.
#pragma once

#include <iosfwd>

#include "device/DeviceArguments.h"
#include "device/DeviceEnvironment.h"

namespace cli {

int RunRead(const DeviceArguments& arguments, const DeviceEnvironment& environment,
            std::ostream& out, std::ostream& err);
int RunWrite(const DeviceArguments& arguments, const DeviceEnvironment& environment,
             std::ostream& out, std::ostream& err);
int RunRecall(const DeviceArguments& arguments, const DeviceEnvironment& environment,
              std::ostream& out, std::ostream& err);
int RunStore(const DeviceArguments& arguments, const DeviceEnvironment& environment,
             std::ostream& out, std::ostream& err);
int RunEffectGroup(const DeviceArguments& arguments, const DeviceEnvironment& environment,
                   std::ostream& out, std::ostream& err);
// Parameter paths: the device's program as JSON, compared with a file or
// another device, and changed parameter by parameter.
int RunShowDevice(const DeviceArguments& arguments, const DeviceEnvironment& environment,
                  std::ostream& out, std::ostream& err);
// Takes every --link itself: a file against each device, or the first device against the others.
int RunDiffDevice(const DeviceArguments& arguments, const DeviceEnvironment& environment,
                  std::ostream& out, std::ostream& err);
int RunSet(const DeviceArguments& arguments, const DeviceEnvironment& environment,
           std::ostream& out, std::ostream& err);
// A room measurement fitted onto a channel of the device's program and set as `set` sets.
int RunAutoEqDevice(const DeviceArguments& arguments, const DeviceEnvironment& environment,
                    std::ostream& out, std::ostream& err);

int RunPorts(const DeviceArguments& arguments, const DeviceEnvironment& environment,
             std::ostream& out, std::ostream& err);
int RunUsbDevices(const DeviceArguments& arguments, const DeviceEnvironment& environment,
                  std::ostream& out, std::ostream& err);

}  // namespace cli
