// SPDX-License-Identifier: GPL-3.0-or-later
// Lists the machine's serial ports from sysfs: every tty with a device behind
// it, with a friendly name built from its USB parent's manufacturer and
// product strings and the port name in parentheses.
//
// The constraint: virtual terminals and pseudo-terminals have no device link
// and are never listed; the root is a parameter so tests can lay out a tree.
#pragma once

#include <string>

#include "links/SerialPortRecord.h"

class SysfsPortSource : public PortInfoSource {
  public:
    explicit SysfsPortSource(std::string sysRoot = "/sys", std::string devRoot = "/dev");
    PortListing List() override;

  private:
    std::string sysRoot_;
    std::string devRoot_;
};
