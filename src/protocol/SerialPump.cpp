// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/SerialPump.h"

#include "protocol/LinkPort.h"
#include "protocol/ReplyMatching.h"
#include "protocol/SendDataQueue.h"
#include "protocol/TransferState.h"

void SerialPump::Tick() {
    CSendDataQueue::Guard guard = wiring_.queue.Lock();
    wiring_.lateReplies.Tick();
    PutChangeInPlaceOfQueuedPoll(wiring_.queue, wiring_.source);
    TopUpQueue(wiring_.queue, wiring_.source);
    CSendData* head = wiring_.queue.Head();
    if (head == nullptr || SendIfPending(wiring_)) {
        return;
    }
    ++head->ticks;
    const int resendAt = head->longWait ? kLongResendTicks : kResendTicks;
    const int deadAt = head->longWait ? kLongDeadTicks : kDeadTicks;
    if (head->ticks == resendAt) {
        ResetReceivers(wiring_);
        TransmitHead(wiring_, *head);
    } else if (head->ticks == deadAt) {
        // A progress window waiting on this transfer would otherwise stay up.
        if (head->longWait) {
            wiring_.transfer.transferActive = false;
        }
        wiring_.link.DeclareDead();
    }
}
