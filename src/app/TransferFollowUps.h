// SPDX-License-Identifier: GPL-3.0-or-later
// What the view does once a transfer it started has ended: on the
// processor's answer, the transfer's own success (a message, names taken
// into the preset store); otherwise one message naming what did not happen
// and why. A transfer that showed the progress window always ends it.
//
// The constraint: only the ending is kept here; which outcome ends a
// transfer is decided by the transfers themselves, one report per transfer.
#pragma once

#include <QString>
#include <functional>
#include <map>
#include <optional>

#include "app/TransferTexts.h"
#include "protocol/DeviceTransfers.h"

struct TransferFollowUp {
    TransferSubject subject;
    // Shown once the processor has answered; none when empty.
    std::function<QString(Language)> success;
    // Run once the processor has answered, before the success message.
    std::function<void()> answered;
};

class TransferFollowUps {
  public:
    // Remembers what to do when the transfer `start` queued ends; nothing
    // when it queued nothing.
    void Follow(const TransferStart& start, TransferFollowUp followUp);
    // The follow-up of an ended transfer, handed over once.
    std::optional<TransferFollowUp> Take(TransferTicket ticket);

  private:
    std::map<TransferTicket, TransferFollowUp> waiting_;
};
