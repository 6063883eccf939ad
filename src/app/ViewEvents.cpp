// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ViewEvents.h"

void ViewEvents::Post(void (ProtocolEvents::*event)()) {
    QMetaObject::invokeMethod(
        &context_, [this, event] { (target_.*event)(); }, Qt::QueuedConnection);
}

void ViewEvents::OnProgramReceived() {
    Post(&ProtocolEvents::OnProgramReceived);
}

void ViewEvents::OnSystemDataRead() {
    Post(&ProtocolEvents::OnSystemDataRead);
}

void ViewEvents::OnEffectRecordReceived() {
    Post(&ProtocolEvents::OnEffectRecordReceived);
}

void ViewEvents::OnReadTransferFinished() {
    Post(&ProtocolEvents::OnReadTransferFinished);
}

void ViewEvents::OnUsbGaveUp() {
    Post(&ProtocolEvents::OnUsbGaveUp);
}

void ViewEvents::OnRequestEnded(TransferTicket ticket, RequestOutcome outcome) {
    QMetaObject::invokeMethod(
        &context_, [this, ticket, outcome] { target_.OnRequestEnded(ticket, outcome); },
        Qt::QueuedConnection);
}
