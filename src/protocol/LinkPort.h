// SPDX-License-Identifier: GPL-3.0-or-later
// What the protocol engine needs from a link (serial, network, or a test fake):
// put a frame on the wire, forget whatever half-received bytes the link holds,
// start a reconnect, and give up on the link. The engine never knows which wire
// it is talking to.
//
// The constraint: a reconnect must never block the caller (it runs on the UI
// thread). `RequestReconnect` only starts it; the link later calls the given
// completion exactly once, on the thread that drives the engine, with the
// outcome. The engine then resends on success or declares the link dead.
#pragma once

#include <cstdint>
#include <functional>
#include <span>

class LinkPort {
  public:
    using ReconnectDone = std::function<void(bool connected)>;

    virtual ~LinkPort() = default;

    // Writes one whole frame. Short or failed writes are not reported: the
    // reply time-out of the pump covers them.
    virtual void Transmit(std::span<const uint8_t> frame) = 0;

    // Drops bytes buffered by the link itself (a serial port purges its input
    // and output buffers). The engine resets its own assembler separately.
    virtual void ResetReceiver() = 0;

    // Network only: close, reopen and reconnect, then report through `done`.
    // Links that cannot reconnect report failure.
    virtual void RequestReconnect(ReconnectDone done) = 0;

    // The link is beyond recovery. The owner disconnects it (stops its pump,
    // closes it, clears the send queue) and shows the message naming the link
    // kind. The engine does not touch the queue head after this call.
    virtual void DeclareDead() = 0;
};
