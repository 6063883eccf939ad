// SPDX-License-Identifier: GPL-3.0-or-later
// Moves the head message onto a serial link, one tick every 50 ms. A silent
// device gets one resend and then the link is declared dead: after 40 and 80
// ticks for an ordinary message, 200 and 401 for a bulk one.
//
// The constraint: time is counted in ticks only, so the pump runs the same on
// a timer and in a test that calls Tick() in a loop.
#pragma once

#include "protocol/PumpWiring.h"

class SerialPump {
  public:
    explicit SerialPump(PumpWiring wiring) : wiring_(wiring) {}

    void Tick();

    static constexpr int kResendTicks = 40;
    static constexpr int kDeadTicks = 80;
    static constexpr int kLongResendTicks = 200;
    static constexpr int kLongDeadTicks = 401;

  private:
    PumpWiring wiring_;
};
