// SPDX-License-Identifier: GPL-3.0-or-later
// A listener for every whole frame the engine puts on a link and every valid
// frame it assembles from one, for transcripts and for tools that wait on a
// particular answer. A link wrapped in TappedLink reports what it transmits.
//
// The constraint: over USB both calls come from the worker thread, so an
// implementation must be safe to call from a thread other than the UI thread.
#pragma once

#include <cstdint>
#include <span>
#include <utility>

#include "protocol/LinkPort.h"

// How the device ended one request: answered with its own reply, or refused.
enum class RequestEnd { Answered, Refused };

class FrameTap {
  public:
    virtual ~FrameTap() = default;
    virtual void FrameSent(std::span<const uint8_t> frame) = 0;
    // Every valid frame, whether or not it answers the request waiting.
    virtual void FrameReceived(std::span<const uint8_t> frame) = 0;
    // The request at the head of the queue (its whole frame) got its own
    // answer; a reply that answers something else never comes here.
    virtual void RequestSettled(std::span<const uint8_t> /*request*/, RequestEnd /*end*/) {}
};

// Passes every call on to the wrapped link, telling the tap each frame first.
class TappedLink : public LinkPort {
  public:
    TappedLink(LinkPort& link, FrameTap& tap) : link_(link), tap_(tap) {}

    LinkPort& Wrapped() const { return link_; }

    void Transmit(std::span<const uint8_t> frame) override {
        tap_.FrameSent(frame);
        link_.Transmit(frame);
    }
    void ResetReceiver() override { link_.ResetReceiver(); }
    void RequestReconnect(ReconnectDone done) override { link_.RequestReconnect(std::move(done)); }
    void DeclareDead() override { link_.DeclareDead(); }

  private:
    LinkPort& link_;
    FrameTap& tap_;
};
