// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/DeviceTransfers.h"

#include "model/PresetStore.h"
#include "model/SystemData.h"
#include "protocol/Frame.h"
#include "protocol/ProgramMessages.h"
#include "protocol/Requests.h"
#include "protocol/SendDataQueue.h"

namespace {
constexpr int kLastSlot = 20;
constexpr int kLastNamedUserSlot = 10;
constexpr int kSystemReadOrder[] = {0, 1, 2, 3, 6, 7, 8, 9, 4};
constexpr int kDeviceStateReads = kLastSlot + 1 + static_cast<int>(std::size(kSystemReadOrder));

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

bool IsSystemWriteOf(const CSendData& message, int item) {
    return message.command == Command::kWrite && message.frame.size() > 9 &&
           message.frame[6] == SubCommand::kSystemItem && message.frame[9] == item;
}

bool IsPresetSlot(int slot) {
    return slot >= 1 && slot <= kLastSlot;
}
}  // namespace

void DeviceTransfers::Add(TransferTicket ticket, std::unique_ptr<CSendData> message) {
    message->ticket = ticket;
    queue_.Add(std::move(message));
}

TransferStart DeviceTransfers::StartProgress(TransferTicket ticket) {
    state_.transferActive = true;
    return TransferStart{.queued = true, .showProgress = true, .ticket = ticket};
}

void DeviceTransfers::QueueDeviceStateReads(TransferTicket ticket) {
    for (int slot = 0; slot <= kLastSlot; ++slot) {
        Add(ticket, LongWait(BuildNameRead(slot)));
    }
    for (const int item : kSystemReadOrder) {
        Add(ticket, LongWait(BuildSystemRead(item)));
    }
}

TransferStart DeviceTransfers::ReadDeviceState() {
    if (!state_.connected) {
        return {};
    }
    CSendDataQueue::Guard guard = queue_.Lock();
    const TransferTicket ticket = tracker_.Begin(kDeviceStateReads + 1);
    QueueDeviceStateReads(ticket);
    Add(ticket, EndOfRead(BuildProgramRead()));
    return StartProgress(ticket);
}

TransferStart DeviceTransfers::ReadDeviceStateKeepingProgram() {
    if (!state_.connected) {
        return {};
    }
    CSendDataQueue::Guard guard = queue_.Lock();
    const TransferTicket ticket = tracker_.Begin(kDeviceStateReads + 1);
    QueueDeviceStateReads(ticket);
    Add(ticket, EndOfWrite(BuildProgramWriteMessage(program_)));
    TransferStart start = StartProgress(ticket);
    start.showDownloadNotice = true;
    return start;
}

TransferStart DeviceTransfers::ReadCurrentProgram() {
    if (!state_.connected) {
        return {};
    }
    const TransferTicket ticket = tracker_.Begin(1);
    Add(ticket, EndOfRead(BuildProgramRead()));
    return StartProgress(ticket);
}

TransferStart DeviceTransfers::RecallPreset(int slot) {
    if (!state_.connected || !IsPresetSlot(slot)) {
        return {};
    }
    const TransferTicket ticket = tracker_.Begin(1);
    Add(ticket, LongWait(BuildRecallPreset(slot)));
    return StartProgress(ticket);
}

TransferStart DeviceTransfers::StoreProgram(int slot) {
    return QueueStore(slot, presets_);
}

TransferStart DeviceTransfers::StoreProgramNamed(int slot, std::string_view gbkName) {
    PresetStore names = presets_;
    if (PresetStore::IsValidSlot(slot)) {
        names.SetName(slot, gbkName);
    }
    return QueueStore(slot, names);
}

TransferStart DeviceTransfers::QueueStore(int slot, const PresetStore& names) {
    if (!state_.connected || slot < 0 || slot > kLastSlot) {
        return {};
    }
    CSendDataQueue::Guard guard = queue_.Lock();
    // The device keeps names only for the user slots.
    const bool named = slot <= kLastNamedUserSlot;
    const TransferTicket ticket = tracker_.Begin(named ? 2 : 1);
    if (named) {
        Add(ticket, LongWait(BuildProgramNameWrite(names, slot)));
    }
    if (slot != 0) {
        Add(ticket, EndOfWrite(BuildStorePreset(slot)));
        return TransferStart{.queued = true, .ticket = ticket};
    }
    Add(ticket, EndOfWrite(BuildProgramWriteMessage(program_)));
    return TransferStart{.queued = true, .showDownloadNotice = true, .ticket = ticket};
}

TransferStart DeviceTransfers::ReadEffectGroup(int group) {
    if (!state_.connected) {
        return {};
    }
    const TransferTicket ticket = tracker_.Begin(1);
    Add(ticket, EndOfRead(BuildEffectGroupRead(group)));
    return StartProgress(ticket);
}

bool DeviceTransfers::WriteSystemItem(int item) {
    if (!state_.connected || item < 0 || item >= kSystemItemCount) {
        return false;
    }
    std::unique_ptr<CSendData> write = LongWait(BuildSystemItemWrite(system_, item));
    // A slider drag writes the same item many times a second; only the newest
    // value matters, so it takes the turn of a write of that item still waiting.
    CSendDataQueue::Guard guard = queue_.Lock();
    const CSendData* waiting = queue_.FindUnsent(
        [item](const CSendData& queued) { return IsSystemWriteOf(queued, item); });
    if (waiting != nullptr) {
        queue_.Replace(waiting, std::move(write));
    } else {
        queue_.Add(std::move(write));
    }
    return true;
}

TransferStart DeviceTransfers::WriteSystemItems(std::span<const int> items) {
    if (!state_.connected || items.empty()) {
        return {};
    }
    for (const int item : items) {
        if (item < 0 || item >= kSystemItemCount) {
            return {};
        }
    }
    CSendDataQueue::Guard guard = queue_.Lock();
    const TransferTicket ticket = tracker_.Begin(static_cast<int>(items.size()));
    for (const int item : items) {
        Add(ticket, LongWait(BuildSystemItemWrite(system_, item)));
    }
    return TransferStart{.queued = true, .ticket = ticket};
}

bool DeviceTransfers::WriteProgramName(int slot) {
    if (!state_.connected || slot < 0 || slot > kLastSlot) {
        return false;
    }
    queue_.Add(LongWait(BuildProgramNameWrite(presets_, slot)));
    return true;
}

std::optional<RequestOutcome> DeviceTransfers::NoteRequestEnded(TransferTicket ticket,
                                                                RequestOutcome outcome) {
    return tracker_.Note(ticket, outcome);
}
