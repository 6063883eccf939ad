// SPDX-License-Identifier: GPL-3.0-or-later
// The one first-in, first-out queue of outgoing messages. Only its head is
// ever on the wire; it leaves the queue when its answer arrives.
//
// The constraint: the queue is shared with the USB worker thread. Every
// operation takes the queue lock, and a producer that adds several messages
// holds `Lock()` across all of them so the worker never sees half a transfer.
// The lock is recursive for exactly that reason.
//
// Messages are held by value: a message is moved in when it is queued and
// the answered head is destroyed where it lies. A reply is handled under the
// lock on the link's thread; it no longer gives each request's memory back to
// the heap there, only the container's block of several messages now and then.
#pragma once

#include <cassert>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

#include "protocol/SendData.h"

class CSendDataQueue {
  public:
    using Guard = std::unique_lock<std::recursive_mutex>;

    // Holds the queue lock until the returned guard is destroyed.
    Guard Lock() const { return Guard(mutex_); }

    void Add(std::unique_ptr<CSendData> message);
    // The first message, or nullptr when the queue is empty. The pointer stays
    // valid only while the caller holds the lock.
    CSendData* Head() const;
    // The last message, or nullptr; same validity as Head().
    CSendData* Tail() const;
    int Count() const;
    // How many queued messages carry `command` (a frame's byte 5).
    int CountOf(int32_t command) const;
    // Destroys the first message; does nothing on an empty queue.
    void RemoveHead();

    // The same two for a caller that holds the lock already (`held` is a guard
    // from this queue's Lock()): a reply is matched and its request removed
    // under one lock, and re-entering it for each step costs more than the
    // step itself.
    CSendData* Head(const Guard& held) const {
        AssertHeld(held);
        return messages_.empty() ? nullptr : &messages_.front();
    }
    void RemoveHead(const Guard& held) {
        AssertHeld(held);
        if (!messages_.empty()) {
            messages_.pop_front();
        }
    }
    void Clear();

    // The first message that `matches` accepts, or nullptr; same validity.
    CSendData* Find(const std::function<bool(const CSendData&)>& matches) const;
    // The first message not yet put on the wire that `matches` accepts, or
    // nullptr. Valid only while the caller holds the lock.
    CSendData* FindUnsent(const std::function<bool(const CSendData&)>& matches) const;
    // Puts `replacement` in the place of `queued` (from FindUnsent, under the
    // same lock), so it keeps that message's turn.
    void Replace(const CSendData* queued, std::unique_ptr<CSendData> replacement);

  private:
    void AssertHeld([[maybe_unused]] const Guard& held) const {
        assert(held.owns_lock() && held.mutex() == &mutex_);
    }

    mutable std::recursive_mutex mutex_;
    // A deque keeps every other message where it is when one is added at the
    // back or removed at the front, so pointers handed out stay valid. Mutable
    // because a const query hands out a message its caller may update.
    mutable std::deque<CSendData> messages_;
};
