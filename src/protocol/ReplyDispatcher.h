// SPDX-License-Identifier: GPL-3.0-or-later
// Acts on one valid reply frame: stores what it carries (a program name, a
// system item, an effect record, a whole program), tells the view, and
// completes the request at the head of the queue.
//
// The constraint: nothing a device sends may write outside the preset store,
// the system data bytes or the received block. A name reply for a slot above
// 20 or a system reply for an item outside bytes 0..16 is not a reply at all:
// nothing is stored and the head stays, to be resent.
#pragma once

#include <cstdint>
#include <span>

#include "protocol/ReceivedProgram.h"
#include "protocol/SendDataQueue.h"

class ReplyTargets;
class ProtocolEvents;

enum class DispatchOutcome {
    Completed,  // the head message was answered and removed
    Refused,    // 0xAB: the head is still queued; each link decides what follows
    NotAReply,  // unknown command or impossible argument: nothing stored, head stays
    // A valid reply, but not to the head (a late answer to an earlier
    // request): nothing stored, the head keeps waiting for its own.
    NotForThisRequest,
};

class ReplyDispatcher {
  public:
    ReplyDispatcher(CSendDataQueue& queue, ReplyTargets& targets, ProtocolEvents& events,
                    ProgramBlock& received)
        : queue_(queue), targets_(targets), events_(events), received_(received) {}

    // `frame` is one whole frame whose checksum and terminator have been
    // checked. The caller holds the queue lock (`held`) across the call, so
    // the head it matches is the head it removes.
    DispatchOutcome Dispatch(std::span<const uint8_t> frame, const CSendDataQueue::Guard& held);

  private:
    bool StoreRead(uint8_t subCommand, uint8_t slot, uint8_t item,
                   std::span<const uint8_t> payload);
    void StoreEffectRecord(std::span<const uint8_t> payload);
    void StoreProgram(std::span<const uint8_t> payload);

    CSendDataQueue& queue_;
    ReplyTargets& targets_;
    ProtocolEvents& events_;
    ProgramBlock& received_;
};
