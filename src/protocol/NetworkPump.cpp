// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/NetworkPump.h"

#include "protocol/LinkPort.h"
#include "protocol/ReplyMatching.h"
#include "protocol/SendDataQueue.h"

NetworkPump::NetworkPump(PumpWiring wiring)
    : wiring_(wiring), self_(std::make_shared<NetworkPump*>(this)) {}

NetworkPump::~NetworkPump() {
    *self_ = nullptr;
}

void NetworkPump::Tick() {
    CSendDataQueue::Guard guard = wiring_.queue.Lock();
    PutChangeInPlaceOfQueuedPoll(wiring_.queue, wiring_.source);
    TopUpQueue(wiring_.queue, wiring_.source);
    CSendData* head = wiring_.queue.Head();
    if (head == nullptr || SendIfPending(wiring_)) {
        return;
    }
    if (++head->ticks != kReconnectTicks) {
        return;
    }
    ++reconnectCount_;
    if (reconnectCount_ > (head->longWait ? kMaxLongReconnects : kMaxReconnects)) {
        wiring_.link.DeclareDead();
        return;
    }
    std::weak_ptr<NetworkPump*> weak = self_;
    wiring_.link.RequestReconnect([weak](bool connected) {
        const std::shared_ptr<NetworkPump*> alive = weak.lock();
        if (alive && *alive != nullptr) {
            (*alive)->ReconnectFinished(connected);
        }
    });
}

void NetworkPump::ReconnectFinished(bool connected) {
    if (!connected) {
        wiring_.link.DeclareDead();
        return;
    }
    CSendDataQueue::Guard guard = wiring_.queue.Lock();
    CSendData* head = wiring_.queue.Head();
    if (head == nullptr) {
        return;
    }
    head->ticks = 0;
    // A new connection carries no answer to what the old one sent.
    head->sends = 0;
    wiring_.lateReplies.Forget();
    ResetReceivers(wiring_);
    head->pending = true;
}
