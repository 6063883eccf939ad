// SPDX-License-Identifier: GPL-3.0-or-later
// The protocol engine: the outgoing queue, the two reply assemblers, the
// dispatcher behind them and the received program block. The serial and
// network pumps and the USB worker drive it; it knows no concrete link and no
// window, only the message source it tops the queue up from, the stores it
// writes replies into and the events it reports.
//
// The constraint: the USB side (FeedUsb, ResetUsbReceiver, TakeHeadForUsb,
// NoteUsbFailure) runs on the USB worker thread, everything else on the UI
// thread. Only one kind of link is open at a time, so the two reply paths
// never run together; the queue lock covers what they share.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "protocol/FrameTap.h"
#include "protocol/PumpWiring.h"
#include "protocol/ReceivedProgram.h"
#include "protocol/ReplyDispatcher.h"
#include "protocol/ReplyMatching.h"
#include "protocol/SendDataQueue.h"
#include "protocol/StreamAssembler.h"
#include "protocol/UsbAssembler.h"

class MessageSource;
class ReplyTargets;
class ProtocolEvents;

// What the USB worker sends next and how long it waits for each reply.
struct UsbTransmission {
    std::vector<uint8_t> frame;
    int waitTimeoutMs = 0;
};

struct UsbFeedResult {
    bool frameComplete = false;
    // Run the recovery: bad frame, oversized header, or a refusal.
    bool error = false;
    // A refusal: the worker waits a second before the recovery resends.
    bool refused = false;
    // A late answer to another request: the worker reads on for the head's own.
    bool lateReply = false;
};

class CCommand {
  public:
    CCommand(MessageSource& source, ReplyTargets& targets, ProtocolEvents& events);

    CSendDataQueue& Queue() { return queue_; }
    MessageSource& Source() { return source_; }
    ProgramBlock& ReceivedBlock() { return received_; }
    const ProgramBlock& ReceivedBlock() const { return received_; }
    // A consistent copy for the UI thread: USB replies write the block on the
    // worker thread, always under the queue lock.
    ProgramBlock ReceivedBlockCopy() const;

    // Appends one message from the UI thread.
    void Post(std::unique_ptr<CSendData> message);

    // Serial: how many bytes to read for the head message's reply, 0 when the
    // queue is empty (the data is then left in the port).
    int SerialReadSize() const;
    // Serial reads and network receives both go through the stream assembler.
    void FeedSerial(std::span<const uint8_t> bytes) { FeedStream(bytes); }
    void FeedNetwork(std::span<const uint8_t> bytes) { FeedStream(bytes); }
    void FeedStream(std::span<const uint8_t> bytes);
    // The engine's half of a receiver reset; the link purges its own buffers.
    void ResetReceiver() { streamAssembler_.Reset(); }

    // One USB input report's data bytes.
    UsbFeedResult FeedUsb(std::span<const uint8_t> report);
    void ResetUsbReceiver() { usbAssembler_.Reset(); }
    // Under the queue lock: copies the head into `out` and returns true, or,
    // with an empty queue, adds one message from the source and returns false.
    bool TakeHeadForUsb(UsbTransmission& out);
    // Counts one failed attempt at the head message. Returns true, after
    // reporting OnUsbGaveUp, when this was the third failure of the message.
    bool NoteUsbFailure();

    // Empties the queue because its link closed or was given up, reporting
    // `outcome` for every message a transfer waits for.
    void DropAll(RequestOutcome outcome);

    // With a tap set, the wiring's link reports every frame it transmits.
    PumpWiring Wiring(LinkPort& link, TransferState& transfer);

    // Every frame sent and every valid frame received, from now on; set it
    // before a link opens, since a pump is wired when its link opens.
    void SetFrameTap(FrameTap* tap) { tap_ = tap; }

    static constexpr int kUsbWaitMs = 1000;
    static constexpr int kUsbLongWaitMs = 5000;
    static constexpr int kUsbWriteWaitMs = 10000;
    static constexpr int kUsbMaxResends = 2;

  private:
    CSendDataQueue queue_;
    MessageSource& source_;
    ProtocolEvents& events_;
    ProgramBlock received_{};
    StreamAssembler streamAssembler_;
    UsbAssembler usbAssembler_;
    ReplyDispatcher dispatcher_;

    // Dispatches one whole valid frame against the head and tells the tap how
    // the head's request ended. Under the queue lock (`held`), with a
    // non-empty queue.
    DispatchOutcome DispatchToHead(std::span<const uint8_t> frame,
                                   const CSendDataQueue::Guard& held);
    int usbResendCount_ = 0;
    // The device refused the USB head at least once; a give-up then says so.
    bool usbHeadRefused_ = false;
    LateReplies lateReplies_;
    FrameTap* tap_ = nullptr;
    // One wrapper per link, kept for the engine's life: a pump outlives its link's close.
    std::vector<std::unique_ptr<TappedLink>> tappedLinks_;
};
