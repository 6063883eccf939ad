// SPDX-License-Identifier: GPL-3.0-or-later
// The bulk exchanges with the device: reading its whole state after a link
// opens, reading or recalling a program, storing one, loading an effect group,
// and the single name and system writes that travel the same way. Each queues
// a fixed sequence of requests with the flags that choose their time-outs.
//
// The constraint: a transfer is queued in one step under the queue lock, so
// the USB worker never starts on half of it; and nothing is queued while no
// link is connected.
#pragma once

#include "protocol/TransferState.h"

class CAudio_Data;
class CSendDataQueue;
class PresetStore;
class SystemData;

// What the view must show once a transfer has been queued.
struct TransferStart {
    bool queued = false;
    bool showProgress = false;
    // Storing into slot 0 overwrote the device's current program.
    bool showDownloadNotice = false;
};

class DeviceTransfers {
  public:
    DeviceTransfers(CSendDataQueue& queue, CAudio_Data& program, const PresetStore& presets,
                    const SystemData& system)
        : queue_(queue), program_(program), presets_(presets), system_(system) {}

    TransferState& State() { return state_; }
    void SetConnected(bool connected) { state_.connected = connected; }
    bool IsConnected() const { return state_.connected; }
    bool IsTransferActive() const { return state_.transferActive; }
    // The view's answer to the read-transfer-finished event.
    void FinishReadTransfer() { state_.transferActive = false; }

    // All 21 names, the system items 0, 1, 2, 3, 6, 7, 8, 9, 4, then the program.
    TransferStart ReadDeviceState();
    TransferStart ReadCurrentProgram();
    TransferStart RecallPreset(int slot);
    TransferStart StoreProgram(int slot);
    TransferStart ReadEffectGroup(int group);
    bool WriteSystemItem(int item);
    bool WriteProgramName(int slot);

    static constexpr int kEffectGroups[] = {22, 24, 26, 28};

  private:
    void QueueCurrentProgramRead();
    TransferStart StartProgress();

    CSendDataQueue& queue_;
    CAudio_Data& program_;
    const PresetStore& presets_;
    const SystemData& system_;
    TransferState state_;
};
