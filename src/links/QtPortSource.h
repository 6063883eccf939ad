// SPDX-License-Identifier: GPL-3.0-or-later
// Lists serial ports through Qt's serial port information, on any platform:
// a friendly name made of the maker and the description with the port name
// in parentheses, and a location when the port sits on USB.
#pragma once

#include "links/SerialPortRecord.h"

class QtPortSource : public PortInfoSource {
  public:
    PortListing List() override;
};
