// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/DeviceTransfers.h"

#include "model/SystemData.h"
#include "protocol/ProgramMessages.h"
#include "protocol/Requests.h"
#include "protocol/SendDataQueue.h"

namespace {
constexpr int kLastSlot = 20;
constexpr int kLastNamedUserSlot = 10;
constexpr int kSystemReadOrder[] = {0, 1, 2, 3, 6, 7, 8, 9, 4};

std::unique_ptr<CSendData> LongWait(std::unique_ptr<CSendData> message) {
    message->longWait = true;
    return message;
}

std::unique_ptr<CSendData> EndOfRead(std::unique_ptr<CSendData> message) {
    message->longWait = true;
    message->endOfRead = true;
    return message;
}

std::unique_ptr<CSendData> EndOfWrite(std::unique_ptr<CSendData> message) {
    message->endOfWrite = true;
    return message;
}

bool IsPresetSlot(int slot) {
    return slot >= 1 && slot <= kLastSlot;
}
}  // namespace

TransferStart DeviceTransfers::StartProgress() {
    state_.transferActive = true;
    return TransferStart{.queued = true, .showProgress = true};
}

void DeviceTransfers::QueueCurrentProgramRead() {
    queue_.Add(EndOfRead(BuildProgramRead()));
}

TransferStart DeviceTransfers::ReadDeviceState() {
    if (!state_.connected) {
        return {};
    }
    CSendDataQueue::Guard guard = queue_.Lock();
    for (int slot = 0; slot <= kLastSlot; ++slot) {
        queue_.Add(LongWait(BuildNameRead(slot)));
    }
    for (const int item : kSystemReadOrder) {
        queue_.Add(LongWait(BuildSystemRead(item)));
    }
    QueueCurrentProgramRead();
    return StartProgress();
}

TransferStart DeviceTransfers::ReadCurrentProgram() {
    if (!state_.connected) {
        return {};
    }
    QueueCurrentProgramRead();
    return StartProgress();
}

TransferStart DeviceTransfers::RecallPreset(int slot) {
    if (!state_.connected || !IsPresetSlot(slot)) {
        return {};
    }
    queue_.Add(LongWait(BuildRecallPreset(slot)));
    return StartProgress();
}

TransferStart DeviceTransfers::StoreProgram(int slot) {
    if (!state_.connected || slot < 0 || slot > kLastSlot) {
        return {};
    }
    CSendDataQueue::Guard guard = queue_.Lock();
    // The device keeps names only for the user slots.
    if (slot <= kLastNamedUserSlot) {
        queue_.Add(LongWait(BuildProgramNameWrite(presets_, slot)));
    }
    if (slot != 0) {
        queue_.Add(EndOfWrite(BuildStorePreset(slot)));
        return TransferStart{.queued = true};
    }
    queue_.Add(EndOfWrite(BuildProgramWriteMessage(program_)));
    return TransferStart{.queued = true, .showDownloadNotice = true};
}

TransferStart DeviceTransfers::ReadEffectGroup(int group) {
    if (!state_.connected) {
        return {};
    }
    queue_.Add(EndOfRead(BuildEffectGroupRead(group)));
    return StartProgress();
}

bool DeviceTransfers::WriteSystemItem(int item) {
    if (!state_.connected || item < 0 || item >= kSystemItemCount) {
        return false;
    }
    queue_.Add(LongWait(BuildSystemItemWrite(system_, item)));
    return true;
}

bool DeviceTransfers::WriteProgramName(int slot) {
    if (!state_.connected || slot < 0 || slot > kLastSlot) {
        return false;
    }
    queue_.Add(LongWait(BuildProgramNameWrite(presets_, slot)));
    return true;
}
