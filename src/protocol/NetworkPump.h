// SPDX-License-Identifier: GPL-3.0-or-later
// Moves the head message onto a network link, one tick every 200 ms. After
// 100 silent ticks it reconnects and resends; the reconnects are counted per
// connection, and the third for an ordinary message (fourth for a bulk one)
// declares the link dead, however many replies came in between.
//
// The constraint: the reconnect is asynchronous. Its completion may arrive
// after the pump has gone (the link was closed meanwhile); the pump hands the
// link a callback that then does nothing.
#pragma once

#include <memory>

#include "protocol/PumpWiring.h"

class NetworkPump {
  public:
    explicit NetworkPump(PumpWiring wiring);
    ~NetworkPump();
    NetworkPump(const NetworkPump&) = delete;
    NetworkPump& operator=(const NetworkPump&) = delete;

    void Tick();

    // A freshly opened connection starts with no reconnects counted.
    void ResetConnection() { reconnectCount_ = 0; }
    int GetReconnectCount() const { return reconnectCount_; }

    static constexpr int kReconnectTicks = 100;
    static constexpr int kMaxReconnects = 2;
    static constexpr int kMaxLongReconnects = 3;

  private:
    void ReconnectFinished(bool connected);

    PumpWiring wiring_;
    int reconnectCount_ = 0;
    std::shared_ptr<NetworkPump*> self_;
};
