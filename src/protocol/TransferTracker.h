// SPDX-License-Identifier: GPL-3.0-or-later
// Follows each transfer (a group of requests queued together) to the single
// outcome that ends it: answered once every request was answered, or the
// first request that ended any other way.
//
// The constraint: outcomes arrive one per request, in queue order, and may
// keep arriving for a transfer that has already ended (the rest of its
// requests dropped with the link); those are ignored.
#pragma once

#include <map>
#include <optional>

#include "protocol/RequestOutcome.h"

class TransferTracker {
  public:
    // A new transfer of `requestCount` requests; its ticket is never 0.
    TransferTicket Begin(int requestCount);
    // The outcome that ends the transfer, reported once; nothing otherwise.
    std::optional<RequestOutcome> Note(TransferTicket ticket, RequestOutcome outcome);
    bool IsOpen(TransferTicket ticket) const { return remaining_.contains(ticket); }
    bool AnyOpen() const { return !remaining_.empty(); }

  private:
    std::map<TransferTicket, int> remaining_;
    TransferTicket next_ = 1;
};
