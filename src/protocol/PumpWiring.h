// SPDX-License-Identifier: GPL-3.0-or-later
// What a serial or network pump works on: the queue it drains, the source it
// tops the queue up from, the assembler it resets before a resend, the link it
// writes to and the transfer flags it clears.
//
// The constraint: every reference must outlive the pump; the engine and the
// view own all of them, and the link's owner destroys the pump when it closes.
#pragma once

class CSendDataQueue;
class MessageSource;
class StreamAssembler;
class LinkPort;
class LateReplies;
class CSendData;
struct TransferState;

struct PumpWiring {
    CSendDataQueue& queue;
    MessageSource& source;
    StreamAssembler& assembler;
    LinkPort& link;
    TransferState& transfer;
    LateReplies& lateReplies;
};

// Puts the head on the link and counts the send.
void TransmitHead(PumpWiring& wiring, CSendData& head);

// Step 1 of every pump tick: keep up to two messages queued, asking the source
// for one more (a change or a poll) when fewer are waiting.
void TopUpQueue(CSendDataQueue& queue, MessageSource& source);

// A changed row takes the turn of a status poll that is queued last and has
// not gone out, so an edit never waits a tick behind a poll; with nothing
// changed the poll stays and an idle link keeps its cadence.
void PutChangeInPlaceOfQueuedPoll(CSendDataQueue& queue, MessageSource& source);

// Sends a head message that has not been sent yet. A bulk message that ends a
// transfer clears the transfer-active flag as it goes out.
// Returns false when the head had already been sent.
bool SendIfPending(PumpWiring& wiring);

// The queue's assembler and the link's own buffers both forget partial replies.
void ResetReceivers(PumpWiring& wiring);
