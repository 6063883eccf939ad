// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/ExchangeMonitor.h"

#include "protocol/Frame.h"
#include "protocol/HexText.h"

namespace cli {

void ExchangeMonitor::Note(const char* direction, std::span<const uint8_t> frame) {
    if (keepTranscript_) {
        transcript_.push_back(std::string(direction) + ' ' + HexText(frame));
    }
}

void ExchangeMonitor::FrameSent(std::span<const uint8_t> frame) {
    const std::lock_guard lock(mutex_);
    Note("sent", frame);
    if (frame.size() < kFrameHeaderSize) {
        return;
    }
    const FrameHeader header = ReadFrameHeader(frame);
    lastSent_ = RequestKey{header.command, header.subCommand, header.a};
    outcomes_[*lastSent_] = ReplyOutcome::Waiting;
}

void ExchangeMonitor::FrameReceived(std::span<const uint8_t> frame) {
    const std::lock_guard lock(mutex_);
    Note("received", frame);
    if (!lastSent_ || frame.size() < kFrameHeaderSize) {
        return;
    }
    ReplyOutcome& outcome = outcomes_[*lastSent_];
    // A request that was accepted stays accepted; a refusal may be followed by
    // an acceptance of the resent request (USB resends what the device refused).
    if (ReadFrameHeader(frame).command == Command::kRefused) {
        if (outcome != ReplyOutcome::Answered) {
            outcome = ReplyOutcome::Refused;
        }
    } else {
        outcome = ReplyOutcome::Answered;
    }
}

ReplyOutcome ExchangeMonitor::Outcome(const RequestKey& key) const {
    const std::lock_guard lock(mutex_);
    const auto found = outcomes_.find(key);
    return found == outcomes_.end() ? ReplyOutcome::NotSent : found->second;
}

std::vector<std::string> ExchangeMonitor::TakeTranscript() {
    const std::lock_guard lock(mutex_);
    std::vector<std::string> lines;
    lines.swap(transcript_);
    return lines;
}

}  // namespace cli
