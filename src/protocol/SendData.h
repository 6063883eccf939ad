// SPDX-License-Identifier: GPL-3.0-or-later
// One outgoing message: its frame and the bookkeeping the pumps keep while it
// is at the head of the send queue (sent yet, ticks since the last send, which
// time-outs apply, whether it ends a transfer).
//
// The constraint: `command` is the frame's byte 5 and is what the serial link
// uses to size its read, so it is set from the frame, never separately.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "protocol/Frame.h"
#include "protocol/FrameBytes.h"
#include "protocol/RequestOutcome.h"

class CSendData {
  public:
    // Takes a complete frame (at least the 12-byte header).
    explicit CSendData(FrameBytes frame);
    // Assembles the frame of `payload` straight into the message.
    CSendData(const FrameHeader& header, std::span<const uint8_t> payload);

    FrameBytes frame;
    int32_t length = 0;
    int32_t ticks = 0;
    // Times put on a serial or network link since it was queued or the link
    // reconnected; each may still bring an answer.
    int32_t sends = 0;
    bool pending = true;
    bool longWait = false;
    bool endOfRead = false;
    bool endOfWrite = false;
    int32_t command = 0;
    // The transfer that waits for this message's outcome; 0 when nobody does.
    TransferTicket ticket = 0;
};

// Builds a request from its header and payload; the usual way producers make one.
std::unique_ptr<CSendData> MakeMessage(const FrameHeader& header, std::span<const uint8_t> payload);
// Builds a message from a frame that is already finished.
std::unique_ptr<CSendData> MakeMessage(std::span<const uint8_t> frame);
