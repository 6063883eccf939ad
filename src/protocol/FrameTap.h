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

class FrameTap {
  public:
    virtual ~FrameTap() = default;
    virtual void FrameSent(std::span<const uint8_t> frame) = 0;
    virtual void FrameReceived(std::span<const uint8_t> frame) = 0;
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
