// SPDX-License-Identifier: GPL-3.0-or-later
// Which reply answers which request. The device answers one request at a
// time, but a late reply to an earlier request (one that was resent, or one
// sent on a link that has since been reset) can still arrive while a later
// request is waiting; it must never be taken as that request's answer.
//
// The constraint: a refusal (0xAB) and an acceptance (0xAA) name no request,
// so the command byte is all they can be matched on; replies that carry data
// repeat the request's sub-command and slot or item, and those must agree.
#pragma once

#include <cstdint>
#include <span>

#include "protocol/Frame.h"

// The replies that answer a particular kind of request (all but the refusal
// and commands no device sends).
bool IsAnswerCommand(uint8_t command);

// True when `reply` is the kind of answer `request` (a whole frame) is waiting
// for. Refusals are matched by the caller: they answer any request.
bool AnswersRequest(const FrameHeader& reply, std::span<const uint8_t> request);

// Replies still owed for the earlier sends of a message that has been
// answered: a device that answers a resent request answers it twice, and the
// second answer arrives while the next request waits. They are expected for
// a limited number of pump ticks only, so a send the device never heard
// cannot make a later genuine answer look late for ever.
class LateReplies {
  public:
    void Expect(uint8_t replyCommand, int count, int forTicks);
    // True, and one fewer is owed, when a reply with this command is one of them.
    bool Absorb(uint8_t replyCommand) {
        if (count_ <= 0 || replyCommand != command_) {
            return false;
        }
        --count_;
        return true;
    }
    void Tick();
    void Forget() { count_ = 0; }
    int Owed() const { return count_; }

  private:
    uint8_t command_ = 0;
    int count_ = 0;
    int ticksLeft_ = 0;
};
