// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/TransferTracker.h"

TransferTicket TransferTracker::Begin(int requestCount) {
    TransferTicket ticket = next_++;
    if (ticket == 0) {
        ticket = next_++;
    }
    remaining_[ticket] = requestCount;
    return ticket;
}

std::optional<RequestOutcome> TransferTracker::Note(TransferTicket ticket, RequestOutcome outcome) {
    const auto open = remaining_.find(ticket);
    if (open == remaining_.end()) {
        return std::nullopt;
    }
    if (outcome == RequestOutcome::Answered && --open->second > 0) {
        return std::nullopt;
    }
    remaining_.erase(open);
    return outcome;
}
