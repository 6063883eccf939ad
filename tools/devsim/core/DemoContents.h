// SPDX-License-Identifier: GPL-3.0-or-later
// What the simulated device holds for a demo: a program and presets a venue
// might have, with channel and preset names in English and Chinese, and
// system volumes inside the device's 0..50.
//
// The constraint: names are the device's own bytes, so the Chinese ones are
// written here in GBK, exactly as a real device sends them.
#pragma once

#include "core/SimulatedDevice.h"

namespace devsim {

void LoadDemoContents(SimulatedDevice& device);

}  // namespace devsim
