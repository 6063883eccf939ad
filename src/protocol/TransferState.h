// SPDX-License-Identifier: GPL-3.0-or-later
// The two flags the transfers and the pumps share: whether a link is connected
// and whether a transfer that shows the progress window is under way.
//
// The constraint: both are read and written only on the UI thread; the USB
// worker reaches the transfer-active flag only through the view's
// read-transfer-finished event.
#pragma once

struct TransferState {
    bool connected = false;
    bool transferActive = false;
};
