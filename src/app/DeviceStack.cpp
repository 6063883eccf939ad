// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DeviceStack.h"

DeviceStack::DeviceStack(CAudio_Data& program, PresetStore& presets, SystemData& system,
                         HidBackend& hidBackend, ProtocolEvents& view)
    : events_(view),
      targets_(presets, system),
      source_(program),
      engine_(source_, targets_, events_),
      transfers_(engine_.Queue(), program, presets, system),
      manager_(engine_, transfers_, program),
      usb_(hidBackend, engine_, events_) {
    manager_.SetUsbPort(&usb_);
    QObject::connect(&removals_, &HidRemovalWatcher::DeviceRemoved, &usb_,
                     &CUsbPort::HandleDeviceRemoved);
}

DeviceStack::~DeviceStack() {
    manager_.Disconnect();
    manager_.SetUsbPort(nullptr);
}
