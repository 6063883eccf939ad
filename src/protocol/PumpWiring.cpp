// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/PumpWiring.h"

#include "protocol/Frame.h"
#include "protocol/LinkPort.h"
#include "protocol/MessageSource.h"
#include "protocol/SendDataQueue.h"
#include "protocol/StreamAssembler.h"
#include "protocol/TransferState.h"

namespace {
constexpr int kQueueLowWater = 2;
}

void TopUpQueue(CSendDataQueue& queue, MessageSource& source) {
    CSendDataQueue::Guard guard = queue.Lock();
    if (queue.Count() < kQueueLowWater) {
        queue.Add(source.NextPendingMessage());
    }
}

void PutChangeInPlaceOfQueuedPoll(CSendDataQueue& queue, MessageSource& source) {
    CSendDataQueue::Guard guard = queue.Lock();
    // Only a poll at the tail: a row never overtakes a transfer queued after it.
    const CSendData* poll = queue.Tail();
    if (poll == nullptr || !poll->pending || poll->command != Command::kStatusPoll) {
        return;
    }
    std::unique_ptr<CSendData> next = source.NextPendingMessage();
    if (next->command != Command::kStatusPoll) {
        queue.Replace(poll, std::move(next));
    }
}

void TransmitHead(PumpWiring& wiring, CSendData& head) {
    ++head.sends;
    wiring.link.Transmit(head.frame);
}

bool SendIfPending(PumpWiring& wiring) {
    CSendData* head = wiring.queue.Head();
    if (!head->pending) {
        return false;
    }
    head->pending = false;
    TransmitHead(wiring, *head);
    if (head->longWait && (head->endOfRead || head->endOfWrite)) {
        wiring.transfer.transferActive = false;
    }
    return true;
}

void ResetReceivers(PumpWiring& wiring) {
    wiring.assembler.Reset();
    wiring.link.ResetReceiver();
}
