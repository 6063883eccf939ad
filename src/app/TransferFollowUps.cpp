// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TransferFollowUps.h"

void TransferFollowUps::Follow(const TransferStart& start, TransferFollowUp followUp) {
    if (start.queued && start.ticket != 0) {
        waiting_[start.ticket] = std::move(followUp);
    }
}

std::optional<TransferFollowUp> TransferFollowUps::Take(TransferTicket ticket) {
    const auto found = waiting_.find(ticket);
    if (found == waiting_.end()) {
        return std::nullopt;
    }
    TransferFollowUp followUp = std::move(found->second);
    waiting_.erase(found);
    return followUp;
}
