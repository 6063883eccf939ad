// SPDX-License-Identifier: GPL-3.0-or-later
// Carries the protocol engine's events to the view: each event is posted to
// the thread that made this object and handed to the target there.
//
// The constraint: over USB the events come from the worker thread, so nothing
// here may touch the program or a widget directly; it only posts. Events that
// are still queued when this object dies are dropped with it.
#pragma once

#include <QObject>

#include "protocol/ProtocolEvents.h"

class ViewEvents : public ProtocolEvents {
  public:
    // `target` receives each event on this object's thread.
    explicit ViewEvents(ProtocolEvents& target) : target_(target) {}

    void OnProgramReceived() override;
    void OnSystemDataRead() override;
    void OnEffectRecordReceived() override;
    void OnReadTransferFinished() override;
    void OnUsbGaveUp() override;
    void OnRequestEnded(TransferTicket ticket, RequestOutcome outcome) override;

  private:
    void Post(void (ProtocolEvents::*event)());

    ProtocolEvents& target_;
    QObject context_;
};
