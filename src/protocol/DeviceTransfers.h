// SPDX-License-Identifier: GPL-3.0-or-later
// The bulk exchanges with the device: reading its whole state after a link
// opens, reading or recalling a program, storing one, loading an effect group,
// and the single name and system writes that travel the same way. Each queues
// a fixed sequence of requests with the flags that choose their time-outs,
// and each is followed, by its ticket, to the one outcome that ends it.
//
// The constraint: a transfer is queued in one step under the queue lock, so
// the USB worker never starts on half of it; and nothing is queued while no
// link is connected.
#pragma once

#include <memory>
#include <optional>
#include <span>
#include <string_view>

#include "protocol/RequestOutcome.h"
#include "protocol/TransferState.h"
#include "protocol/TransferTracker.h"

class CAudio_Data;
class CSendData;
class CSendDataQueue;
class PresetStore;
class SystemData;

// What the view must show once a transfer has been queued.
struct TransferStart {
    bool queued = false;
    bool showProgress = false;
    // Storing into slot 0 overwrites the device's current program; the
    // notice says so once the device has acknowledged it.
    bool showDownloadNotice = false;
    // Follows the transfer to its end (0 when nothing was queued).
    TransferTicket ticket = 0;
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
    // The view's answer to the read-transfer-finished event, and to any
    // transfer that ended: the progress window must not outlive it.
    void FinishReadTransfer() { state_.transferActive = false; }

    // All 21 names, the system items 0, 1, 2, 3, 6, 7, 8, 9, 4, then the program.
    TransferStart ReadDeviceState();
    // The names and system items as above, then the editor's program is
    // downloaded as the device's current program instead of being replaced.
    TransferStart ReadDeviceStateKeepingProgram();
    TransferStart ReadCurrentProgram();
    TransferStart RecallPreset(int slot);
    TransferStart StoreProgram(int slot);
    // As StoreProgram, but the name write carries `gbkName` for the slot; the
    // preset store is left alone, so it names the slot only once the device
    // has taken the name.
    TransferStart StoreProgramNamed(int slot, std::string_view gbkName);
    TransferStart ReadEffectGroup(int group);
    // A write of the same item that has not gone out yet is replaced, not
    // followed: at most one waits per item, and it carries the newest value.
    bool WriteSystemItem(int item);
    // Several system items as one transfer, answered when the device took all.
    TransferStart WriteSystemItems(std::span<const int> items);
    bool WriteProgramName(int slot);

    // One request of a transfer ended; returns the transfer's outcome when
    // this ends it.
    std::optional<RequestOutcome> NoteRequestEnded(TransferTicket ticket, RequestOutcome outcome);

    static constexpr int kEffectGroups[] = {22, 24, 26, 28};

  private:
    void QueueDeviceStateReads(TransferTicket ticket);
    TransferStart StartProgress(TransferTicket ticket);
    TransferStart QueueStore(int slot, const PresetStore& names);
    void Add(TransferTicket ticket, std::unique_ptr<CSendData> message);

    CSendDataQueue& queue_;
    CAudio_Data& program_;
    const PresetStore& presets_;
    const SystemData& system_;
    TransferState state_;
    TransferTracker tracker_;
};
