// SPDX-License-Identifier: GPL-3.0-or-later
#include "transport/ConnectionFaults.h"

#include "transport/TcpDeviceServer.h"

namespace devsim {

ConnectionFaults::ConnectionFaults(TcpDeviceServer& server, QObject* parent)
    : QObject(parent), server_(server) {
    connect(&closeTimer_, &QTimer::timeout, this, [this] { server_.DropClient(); });
    connect(&restartTimer_, &QTimer::timeout, this, [this] { server_.Restart(down_); });
}

void ConnectionFaults::CloseEvery(std::chrono::milliseconds period) {
    closeTimer_.stop();
    if (period.count() > 0) {
        closeTimer_.start(period);
    }
}

void ConnectionFaults::RestartEvery(std::chrono::milliseconds period,
                                    std::chrono::milliseconds down) {
    restartTimer_.stop();
    down_ = down;
    if (period.count() > 0) {
        restartTimer_.start(period);
    }
}

}  // namespace devsim
