// SPDX-License-Identifier: GPL-3.0-or-later
// Everything between the view and the device, wired once: the protocol engine
// and its change source, the transfers, the connection manager with its three
// links, the USB link with its worker and the watcher that reports removed HID
// devices. The program, the preset store and the system data belong to the
// application and are only borrowed.
//
// The constraint: members are destroyed in reverse order, so the USB worker
// (which calls into the engine and the events) stops before either goes, and
// the events are posted to the view, never handled on the worker.
#pragma once

#include "app/ViewEvents.h"
#include "links/ConnectionManager.h"
#include "links/HidRemovalWatcher.h"
#include "links/Usb_Port.h"
#include "protocol/ChangeScanner.h"
#include "protocol/Command.h"
#include "protocol/DeviceDataTargets.h"
#include "protocol/DeviceTransfers.h"

class CAudio_Data;
class HidBackend;
class PresetStore;
class SystemData;

class DeviceStack {
  public:
    // `view` receives the engine's events on the thread that makes the stack.
    DeviceStack(CAudio_Data& program, PresetStore& presets, SystemData& system,
                HidBackend& hidBackend, ProtocolEvents& view);
    ~DeviceStack();
    DeviceStack(const DeviceStack&) = delete;
    DeviceStack& operator=(const DeviceStack&) = delete;

    CCommand& Engine() { return engine_; }
    DeviceTransfers& Transfers() { return transfers_; }
    ConnectionManager& Manager() { return manager_; }
    const ConnectionManager& Manager() const { return manager_; }
    CUsbPort& Usb() { return usb_; }

  private:
    ViewEvents events_;
    DeviceDataTargets targets_;
    ProgramChangeSource source_;
    CCommand engine_;
    DeviceTransfers transfers_;
    ConnectionManager manager_;
    CUsbPort usb_;
    HidRemovalWatcher removals_;
};
