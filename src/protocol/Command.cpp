// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/Command.h"

#include <utility>

#include "protocol/Frame.h"
#include "protocol/MessageSource.h"
#include "protocol/ProtocolEvents.h"
#include "protocol/SerialPump.h"

namespace {
constexpr int kEffectReadSize = 200;
constexpr int kProgramReadSize = 1200;
constexpr int kReplyReadSize = 50;
}  // namespace

CCommand::CCommand(MessageSource& source, ReplyTargets& targets, ProtocolEvents& events)
    : source_(source), events_(events), dispatcher_(queue_, targets, events, received_) {}

ProgramBlock CCommand::ReceivedBlockCopy() const {
    CSendDataQueue::Guard guard = queue_.Lock();
    return received_;
}

void CCommand::Post(std::unique_ptr<CSendData> message) {
    queue_.Add(std::move(message));
}

int CCommand::SerialReadSize() const {
    CSendDataQueue::Guard guard = queue_.Lock();
    const CSendData* head = queue_.Head(guard);
    if (head == nullptr) {
        return 0;
    }
    switch (head->command) {
        case Command::kEffectGroupRead:
            return kEffectReadSize;
        case Command::kRecallPreset:
        case Command::kProgramRead:
            return kProgramReadSize;
        default:
            return kReplyReadSize;
    }
}

void CCommand::FeedStream(std::span<const uint8_t> bytes) {
    if (streamAssembler_.Feed(bytes) != StreamAssembler::Outcome::Complete) {
        return;
    }
    if (tap_ != nullptr) {
        tap_->FrameReceived(streamAssembler_.Frame());
    }
    CSendDataQueue::Guard guard = queue_.Lock();
    const std::span<const uint8_t> frame = streamAssembler_.Frame();
    const uint8_t command = ReadFrameHeader(frame).command;
    // The second answer to a resent request, arriving after the first.
    if (lateReplies_.Absorb(command)) {
        return;
    }
    // A reply with nothing queued answers nothing; storing it would be a guess.
    const CSendData* head = queue_.Head(guard);
    if (head == nullptr) {
        return;
    }
    const int sends = head->sends;
    const bool longWait = head->longWait;
    const DispatchOutcome outcome = DispatchToHead(frame, guard);
    if (outcome != DispatchOutcome::Completed && outcome != DispatchOutcome::Refused) {
        return;
    }
    // Serial and network drop a refused message instead of resending it.
    if (outcome == DispatchOutcome::Refused) {
        const TransferTicket ticket = queue_.Head(guard)->ticket;
        queue_.RemoveHead(guard);
        if (ticket != 0) {
            events_.OnRequestEnded(ticket, RequestOutcome::Refused);
        }
    }
    // Every earlier send of the message may still be answered; those answers
    // are due within about one resend interval of this one.
    if (sends > 1) {
        const int resendTicks = longWait ? SerialPump::kLongResendTicks : SerialPump::kResendTicks;
        lateReplies_.Expect(command, sends - 1, 2 * resendTicks);
    }
}

DispatchOutcome CCommand::DispatchToHead(std::span<const uint8_t> frame,
                                         const CSendDataQueue::Guard& held) {
    if (tap_ == nullptr) {
        return dispatcher_.Dispatch(frame, held);
    }
    // The request is copied first: a completed head is gone after Dispatch.
    const FrameBytes request = queue_.Head(held)->frame;
    const DispatchOutcome outcome = dispatcher_.Dispatch(frame, held);
    if (outcome == DispatchOutcome::Completed) {
        tap_->RequestSettled(request, RequestEnd::Answered);
    } else if (outcome == DispatchOutcome::Refused) {
        tap_->RequestSettled(request, RequestEnd::Refused);
    }
    return outcome;
}

UsbFeedResult CCommand::FeedUsb(std::span<const uint8_t> report) {
    UsbFeedResult result;
    if (!usbAssembler_.Feed(report)) {
        return result;
    }
    result.frameComplete = true;
    if (usbAssembler_.HasError()) {
        result.error = true;
        return result;
    }
    if (tap_ != nullptr) {
        tap_->FrameReceived(usbAssembler_.Frame());
    }
    CSendDataQueue::Guard guard = queue_.Lock();
    if (queue_.Head(guard) == nullptr) {
        usbAssembler_.Reset();
        return result;
    }
    const DispatchOutcome outcome = DispatchToHead(usbAssembler_.Frame(), guard);
    if (outcome == DispatchOutcome::Refused) {
        usbAssembler_.SetError();
        usbHeadRefused_ = true;
        result.error = true;
        result.refused = true;
        return result;
    }
    usbAssembler_.Reset();
    // A late answer to something else: keep reading for the head's own.
    result.lateReply = outcome == DispatchOutcome::NotForThisRequest;
    return result;
}

bool CCommand::TakeHeadForUsb(UsbTransmission& out) {
    CSendDataQueue::Guard guard = queue_.Lock();
    PutChangeInPlaceOfQueuedPoll(queue_, source_);
    CSendData* head = queue_.Head(guard);
    if (head == nullptr) {
        queue_.Add(source_.NextPendingMessage());
        return false;
    }
    // Once on its way it is no longer a queued write a newer value may replace.
    head->pending = false;
    out.frame = head->frame.ToVector();
    if (tap_ != nullptr) {
        tap_->FrameSent(out.frame);
    }
    if (head->longWait || head->endOfRead) {
        out.waitTimeoutMs = kUsbLongWaitMs;
    } else if (head->endOfWrite) {
        out.waitTimeoutMs = kUsbWriteWaitMs;
    } else {
        out.waitTimeoutMs = kUsbWaitMs;
    }
    usbResendCount_ = 0;
    usbHeadRefused_ = false;
    usbAssembler_.Reset();
    return true;
}

bool CCommand::NoteUsbFailure() {
    usbAssembler_.Reset();
    if (++usbResendCount_ > kUsbMaxResends) {
        // The head's transfer learns why before the link is closed under it.
        CSendDataQueue::Guard guard = queue_.Lock();
        const CSendData* head = queue_.Head(guard);
        if (head != nullptr && head->ticket != 0) {
            events_.OnRequestEnded(
                head->ticket, usbHeadRefused_ ? RequestOutcome::Refused : RequestOutcome::GaveUp);
        }
        events_.OnUsbGaveUp();
        return true;
    }
    return false;
}

void CCommand::DropAll(RequestOutcome outcome) {
    std::vector<TransferTicket> waiting;
    {
        CSendDataQueue::Guard guard = queue_.Lock();
        for (const CSendData* message = queue_.Head(guard); message != nullptr;
             message = queue_.Head(guard)) {
            if (message->ticket != 0 && (waiting.empty() || waiting.back() != message->ticket)) {
                waiting.push_back(message->ticket);
            }
            queue_.RemoveHead(guard);
        }
    }
    for (const TransferTicket ticket : waiting) {
        events_.OnRequestEnded(ticket, outcome);
    }
}

PumpWiring CCommand::Wiring(LinkPort& link, TransferState& transfer) {
    if (tap_ == nullptr) {
        return PumpWiring{queue_, source_, streamAssembler_, link, transfer, lateReplies_};
    }
    for (const std::unique_ptr<TappedLink>& tapped : tappedLinks_) {
        if (&tapped->Wrapped() == &link) {
            return PumpWiring{queue_, source_, streamAssembler_, *tapped, transfer, lateReplies_};
        }
    }
    tappedLinks_.push_back(std::make_unique<TappedLink>(link, *tap_));
    return PumpWiring{queue_,   source_,     streamAssembler_, *tappedLinks_.back(),
                      transfer, lateReplies_};
}
