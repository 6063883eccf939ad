// SPDX-License-Identifier: GPL-3.0-or-later
// What the protocol engine tells the view: data has arrived in the received
// program block, the preset store or the system data bytes, a read transfer has
// ended, or the USB link has given up. The view loads data into the program and
// redraws in response; the engine never touches the program's objects itself.
//
// The constraint: these calls come from whichever thread feeds the engine,
// which for USB is the worker thread. Implementations must only post the event
// to the UI thread (a queued signal) and do the work there.
#pragma once

#include "protocol/RequestOutcome.h"

class ProtocolEvents {
  public:
    virtual ~ProtocolEvents() = default;

    // 1134: a whole program is in the received program block.
    virtual void OnProgramReceived() = 0;
    // 1136: the last system item of the read sequence (item 4) has been stored.
    virtual void OnSystemDataRead() = 0;
    // 1142: an effect record is in the received program block.
    virtual void OnEffectRecordReceived() = 0;
    // 1146: a read transfer has finished; the transfer-active flag clears.
    virtual void OnReadTransferFinished() = 0;
    // 1147 (wParam 3): the USB link failed the same message three times.
    virtual void OnUsbGaveUp() = 0;
    // A request of a transfer ended (only requests with a ticket are reported).
    virtual void OnRequestEnded(TransferTicket /*ticket*/, RequestOutcome /*outcome*/) {}
};
