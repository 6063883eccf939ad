// SPDX-License-Identifier: GPL-3.0-or-later
// An engine wired to a fake link, driven tick by tick, for the pump tests.
#pragma once

#include "ProtocolFakes.h"
#include "protocol/Command.h"
#include "protocol/TransferState.h"

struct PumpHarness {
    PumpHarness() {
        // The link's owner clears the queue when it gives the link up.
        link.onDead = [this] { engine.Queue().Clear(); };
    }

    std::unique_ptr<CSendData> LongWait(std::unique_ptr<CSendData> message,
                                        bool endOfRead = false) {
        message->longWait = true;
        message->endOfRead = endOfRead;
        return message;
    }

    FakeSource source;
    DeviceStores stores;
    FakeEvents events;
    CCommand engine{source, stores.targets, events};
    FakeLink link;
    TransferState transfer{true, false};
};

// Runs `pump` from tick link.tick up to and including `lastTick`.
template <typename Pump>
void RunTicks(PumpHarness& harness, Pump& pump, int lastTick) {
    for (; harness.link.tick <= lastTick; ++harness.link.tick) {
        pump.Tick();
    }
}
