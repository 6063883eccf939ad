// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/ExchangeMonitor.h"

#include "protocol/Frame.h"
#include "protocol/HexText.h"
#include "protocol/Requests.h"

namespace cli {

void ExchangeMonitor::Note(const char* direction, std::span<const uint8_t> frame) {
    if (keepTranscript_) {
        transcript_.push_back(std::string(direction) + ' ' + HexText(frame));
    }
}

RequestKey KeyOfRequest(std::span<const uint8_t> frame) {
    if (frame.size() < kFrameHeaderSize) {
        return {};
    }
    const FrameHeader header = ReadFrameHeader(frame);
    return RequestKey{header.command, header.subCommand, header.a, header.c};
}

std::string DescribeRequest(const RequestKey& key) {
    const std::string slot = std::to_string(key.a);
    const std::string item = std::to_string(key.c);
    switch (key.command) {
        case Command::kRead:
            return key.subCommand == SubCommand::kProgramName
                       ? "the read of the name of slot " + slot
                       : "the read of system item " + item;
        case Command::kWrite:
            if (key.subCommand == SubCommand::kProgramName) {
                return "the name write of slot " + slot;
            }
            if (key.subCommand == SubCommand::kSystemItem) {
                return "the write of system item " + item;
            }
            return "a parameter row write";
        case Command::kOutputRecordWrite:
            return "an output record write";
        case Command::kEffectGroupRead:
            return "the read of effect group " + slot;
        case Command::kStorePreset:
            return "the store into preset " + slot;
        case Command::kRecallPreset:
            return "the recall of preset " + slot;
        case Command::kProgramWrite:
            return "the program download";
        case Command::kProgramRead:
            return "the read of the current program";
        case Command::kStatusPoll:
            return "a status poll";
        default:
            return "a request";
    }
}

void ExchangeMonitor::FrameSent(std::span<const uint8_t> frame) {
    const std::lock_guard lock(mutex_);
    Note("sent", frame);
    if (frame.size() >= kFrameHeaderSize) {
        outcomes_[KeyOfRequest(frame)] = ReplyOutcome::Waiting;
    }
}

void ExchangeMonitor::FrameReceived(std::span<const uint8_t> frame) {
    const std::lock_guard lock(mutex_);
    Note("received", frame);
}

void ExchangeMonitor::RequestSettled(std::span<const uint8_t> request, RequestEnd end) {
    const std::lock_guard lock(mutex_);
    const RequestKey key = KeyOfRequest(request);
    if (end == RequestEnd::Refused) {
        outcomes_[key] = ReplyOutcome::Refused;
        if (!refusal_) {
            refusal_ = key;
        }
    } else {
        outcomes_[key] = ReplyOutcome::Answered;
        // USB sends a refused request again; accepted then, it is no refusal.
        if (refusal_ == key) {
            refusal_.reset();
        }
    }
}

std::optional<RequestKey> ExchangeMonitor::Refusal() const {
    const std::lock_guard lock(mutex_);
    return refusal_;
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
