// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/SendDataQueue.h"

#include <utility>

void CSendDataQueue::Add(std::unique_ptr<CSendData> message) {
    if (message == nullptr) {
        return;
    }
    Guard guard = Lock();
    messages_.push_back(std::move(*message));
}

CSendData* CSendDataQueue::Head() const {
    const Guard guard = Lock();
    return Head(guard);
}

CSendData* CSendDataQueue::Tail() const {
    Guard guard = Lock();
    return messages_.empty() ? nullptr : &messages_.back();
}

int CSendDataQueue::Count() const {
    Guard guard = Lock();
    return static_cast<int>(messages_.size());
}

int CSendDataQueue::CountOf(int32_t command) const {
    Guard guard = Lock();
    int count = 0;
    for (const CSendData& message : messages_) {
        count += message.command == command ? 1 : 0;
    }
    return count;
}

void CSendDataQueue::RemoveHead() {
    const Guard guard = Lock();
    RemoveHead(guard);
}

void CSendDataQueue::Clear() {
    Guard guard = Lock();
    messages_.clear();
}

CSendData* CSendDataQueue::Find(const std::function<bool(const CSendData&)>& matches) const {
    Guard guard = Lock();
    for (CSendData& message : messages_) {
        if (matches(message)) {
            return &message;
        }
    }
    return nullptr;
}

CSendData* CSendDataQueue::FindUnsent(const std::function<bool(const CSendData&)>& matches) const {
    return Find(
        [&matches](const CSendData& message) { return message.pending && matches(message); });
}

void CSendDataQueue::Replace(const CSendData* queued, std::unique_ptr<CSendData> replacement) {
    Guard guard = Lock();
    if (replacement == nullptr) {
        return;
    }
    for (CSendData& message : messages_) {
        if (&message == queued) {
            message = std::move(*replacement);
            return;
        }
    }
}
