// SPDX-License-Identifier: GPL-3.0-or-later
// Watches the frames on the wire for the client: keeps the "sent"/"received"
// hex transcript that -v prints, and remembers how the device answered each
// request, so a command can wait for the answer to exactly its own requests.
//
// The constraint: a request counts as answered only when the engine has
// matched a reply to it; a frame that merely arrives after it (a late answer
// to an earlier poll, say) settles nothing. Over USB the frames are reported
// from the worker thread; everything is kept under one lock and the
// transcript lines wait here until the UI thread takes them, so only that
// thread writes a stream.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "protocol/FrameTap.h"

namespace cli {

// A request as the device tells it apart: command, sub-command, argument A
// (the slot or the effect group) and argument C (the system item).
struct RequestKey {
    uint8_t command = 0;
    uint8_t subCommand = 0;
    uint8_t a = 0;
    uint8_t c = 0;
    friend auto operator<=>(const RequestKey&, const RequestKey&) = default;
};

RequestKey KeyOfRequest(std::span<const uint8_t> frame);
// "the read of the name of slot 3", "the program download", ...
std::string DescribeRequest(const RequestKey& key);

enum class ReplyOutcome { NotSent, Waiting, Answered, Refused };

class ExchangeMonitor : public FrameTap {
  public:
    explicit ExchangeMonitor(bool keepTranscript) : keepTranscript_(keepTranscript) {}

    void FrameSent(std::span<const uint8_t> frame) override;
    void FrameReceived(std::span<const uint8_t> frame) override;
    void RequestSettled(std::span<const uint8_t> request, RequestEnd end) override;

    ReplyOutcome Outcome(const RequestKey& key) const;
    // The first request the device refused and never accepted after, if any.
    std::optional<RequestKey> Refusal() const;
    // Transcript lines since the last call, oldest first.
    std::vector<std::string> TakeTranscript();

  private:
    void Note(const char* direction, std::span<const uint8_t> frame);

    const bool keepTranscript_;
    mutable std::mutex mutex_;
    std::map<RequestKey, ReplyOutcome> outcomes_;
    std::optional<RequestKey> refusal_;
    std::vector<std::string> transcript_;
};

}  // namespace cli
