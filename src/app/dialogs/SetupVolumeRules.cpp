// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogs/SetupVolumeRules.h"

#include <algorithm>

int MaximumAfterChange(int wanted, int start) {
    return std::max(wanted, start);
}

int StartAfterChange(int wanted, int maximum) {
    return std::min(wanted, maximum);
}

void LowerCurrentVolumesToMaximum(SystemData& system) {
    for (VolumeChannel channel : kVolumeChannels) {
        const uint8_t maximum = system.MaximumVolume(channel);
        if (system.CurrentVolume(channel) > maximum) {
            system.SetCurrentVolume(channel, maximum);
        }
    }
}
