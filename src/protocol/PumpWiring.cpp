// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/PumpWiring.h"

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

bool SendIfPending(PumpWiring& wiring) {
    CSendData* head = wiring.queue.Head();
    if (!head->pending) {
        return false;
    }
    head->pending = false;
    wiring.link.Transmit(head->frame);
    if (head->longWait && (head->endOfRead || head->endOfWrite)) {
        wiring.transfer.transferActive = false;
    }
    return true;
}

void ResetReceivers(PumpWiring& wiring) {
    wiring.assembler.Reset();
    wiring.link.ResetReceiver();
}
