// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/ReplyDispatcher.h"

#include <algorithm>
#include <array>

#include "protocol/Frame.h"
#include "protocol/ProtocolEvents.h"
#include "protocol/ReplyMatching.h"
#include "protocol/ReplyTargets.h"
#include "protocol/SendDataQueue.h"

namespace {
constexpr uint8_t kNameData = 5;
constexpr uint8_t kSystemData = 6;
constexpr uint8_t kEffectRecordData = 3;
constexpr int kLastSystemItem = 4;  // the system read sequence ends with item 4

// Highest system data byte a system item reply writes.
int LastByteOfItem(int item) {
    switch (item) {
        case 4:
            return 16;
        case 7:
            return 9;
        case 8:
            return 12;
        case 9:
            return 15;
        default:
            return item;
    }
}

// Copies up to `size` payload bytes and zero-fills the rest, so a short reply
// never reads beyond its own frame.
template <size_t size>
std::array<uint8_t, size> PaddedPayload(std::span<const uint8_t> payload) {
    std::array<uint8_t, size> padded{};
    std::copy_n(payload.begin(), std::min(size, payload.size()), padded.begin());
    return padded;
}
}  // namespace

DispatchOutcome ReplyDispatcher::Dispatch(std::span<const uint8_t> frame,
                                          const CSendDataQueue::Guard& held) {
    const FrameHeader header = ReadFrameHeader(frame);
    const std::span<const uint8_t> payload =
        frame.subspan(kFrameHeaderSize, frame.size() - kFrameOverhead);
    const CSendData* head = queue_.Head(held);
    if (IsAnswerCommand(header.command) && head != nullptr &&
        !AnswersRequest(header, head->frame)) {
        return DispatchOutcome::NotForThisRequest;
    }
    switch (header.command) {
        case Command::kRead:
            if (!StoreRead(header.subCommand, header.a, header.c, payload)) {
                return DispatchOutcome::NotAReply;
            }
            break;
        case Command::kEffectGroupRead:
            if (header.subCommand == kEffectRecordData) {
                StoreEffectRecord(payload);
            }
            break;
        case Command::kRecallPreset:
        case Command::kProgramRead:
            StoreProgram(payload);
            break;
        case Command::kStatusPoll:
        case Command::kAccepted:
            break;
        case Command::kRefused:
            return DispatchOutcome::Refused;
        default:
            return DispatchOutcome::NotAReply;
    }
    const TransferTicket ticket = head != nullptr ? head->ticket : 0;
    queue_.RemoveHead(held);
    if (ticket != 0) {
        events_.OnRequestEnded(ticket, RequestOutcome::Answered);
    }
    return DispatchOutcome::Completed;
}

bool ReplyDispatcher::StoreRead(uint8_t subCommand, uint8_t slot, uint8_t item,
                                std::span<const uint8_t> payload) {
    if (subCommand == kNameData) {
        if (slot > kLastPresetSlot) {
            return false;
        }
        const auto name = PaddedPayload<kProgramNameLength>(payload);
        targets_.StoreProgramName(slot, name);
    } else if (subCommand == kSystemData) {
        if (LastByteOfItem(item) > kLastSystemByte) {
            return false;
        }
        const auto bytes = PaddedPayload<8>(payload);
        targets_.StoreSystemItem(item, bytes);
        if (item == kLastSystemItem) {
            events_.OnSystemDataRead();
        }
    }
    return true;
}

void ReplyDispatcher::StoreEffectRecord(std::span<const uint8_t> payload) {
    // Only the effect record's own 48 bytes: a longer payload would spill into
    // the output records of the block.
    std::copy_n(payload.begin(), std::min(payload.size(), kEffectRecordSize),
                received_.begin() + kEffectRecordOffset);
    LimitReceivedEffect(received_, targets_);
    events_.OnEffectRecordReceived();
    events_.OnReadTransferFinished();
}

void ReplyDispatcher::StoreProgram(std::span<const uint8_t> payload) {
    std::copy_n(payload.begin(), std::min(payload.size(), received_.size()), received_.begin());
    LimitReceivedProgram(received_, targets_);
    events_.OnProgramReceived();
    events_.OnReadTransferFinished();
}
