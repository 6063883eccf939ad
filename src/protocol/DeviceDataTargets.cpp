// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/DeviceDataTargets.h"

#include "model/PresetStore.h"
#include "model/SystemData.h"

void DeviceDataTargets::StoreProgramName(int slot,
                                         std::span<const uint8_t, kProgramNameLength> name) {
    presets_.StoreNameReply(slot, name);
}

void DeviceDataTargets::StoreSystemItem(int item, std::span<const uint8_t> payload) {
    system_.StoreItemReply(item, payload);
}

uint8_t DeviceDataTargets::GetSystemByte(int index) const {
    return system_.Byte(index);
}

MaximumVolumes DeviceDataTargets::GetMaximumVolumes() const {
    static_assert(kSystemDataSize == kLastSystemByte + 1);
    return system_.AllMaximumVolumes();
}
