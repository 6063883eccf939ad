// SPDX-License-Identifier: GPL-3.0-or-later
// How a request that someone waits for came to an end. Every request of a
// transfer ends exactly one of these ways, and the editor tells the user the
// truth from it: success only after an answer, a named failure otherwise.
#pragma once

#include <cstdint>

enum class RequestOutcome {
    Answered,    // the device's reply (0xAA for a write, the data for a read) arrived
    Refused,     // the device answered 0xAB
    GaveUp,      // no answer after every resend; the link is being given up
    LinkClosed,  // the link closed (by the user, or lost) while the request waited
};

// Names the transfer a request belongs to; 0 for row writes and polls, which
// nobody waits for.
using TransferTicket = uint32_t;
