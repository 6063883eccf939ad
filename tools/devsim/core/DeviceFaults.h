// SPDX-License-Identifier: GPL-3.0-or-later
// Misbehaviour the simulated device can be told to show, so that the editor's
// resend, give-up and reassembly paths can be driven on purpose.
//
// The constraint: the device logic only describes a fault (a delay, a closed
// connection); the transport carrying the bytes is what carries it out, so one
// fault set serves TCP, the pseudo-terminal and a simulated HID device alike.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace devsim {

enum class FaultAction {
    Silence,          // no reply at all
    Refuse,           // 0xAB instead of the proper reply
    BadChecksum,      // the proper reply with its checksum inverted
    BadTerminator,    // the proper reply with a terminator other than 0xAA
    CloseConnection,  // no reply; the transport drops the connection
};

// Applies `action` to requests with this command byte (0 for any command)
// and, when `subCommand` is not negative, this sub-command only (0xA1/2, the
// microphone's row writes, without the name and system writes that share
// 0xA1), after letting `skip` matching requests pass, `count` times (0: for ever).
struct FaultRule {
    uint8_t command = 0;
    FaultAction action = FaultAction::Silence;
    size_t skip = 0;
    size_t count = 1;
    int subCommand = -1;
};

struct DeviceFaults {
    // Every request after the first N gets no reply.
    std::optional<size_t> silentAfterFrames;
    std::vector<FaultRule> rules;
    // Replies are cut into pieces of at most this many bytes (0: whole).
    size_t replyPieceSize = 0;
    // Bytes sent before every reply, as line noise would.
    std::vector<uint8_t> strayBytesBefore;
    // How long the transport waits before it sends a reply.
    std::chrono::milliseconds replyDelay{0};
};

}  // namespace devsim
