// SPDX-License-Identifier: GPL-3.0-or-later
// The application's preset store and system data bytes as the place replies
// are stored into.
//
// The constraint: both stores are shared with the UI thread, and a USB reply
// writes them from the worker thread; the view only reads them after the
// matching event, which is posted after the write.
#pragma once

#include "protocol/ReplyTargets.h"

class PresetStore;
class SystemData;

class DeviceDataTargets : public ReplyTargets {
  public:
    DeviceDataTargets(PresetStore& presets, SystemData& system)
        : presets_(presets), system_(system) {}

    void StoreProgramName(int slot, std::span<const uint8_t, kProgramNameLength> name) override;
    void StoreSystemItem(int item, std::span<const uint8_t> payload) override;
    uint8_t GetSystemByte(int index) const override;
    MaximumVolumes GetMaximumVolumes() const override;

  private:
    PresetStore& presets_;
    SystemData& system_;
};
