// SPDX-License-Identifier: GPL-3.0-or-later
// Faults of the device's network side that come with time rather than with a
// request: the connection closed every N seconds (a flaky switch), or the
// device power-cycled every N seconds (the port refuses connections while it
// boots, then listens again on the same port).
//
// The constraint: only the TCP server is touched; the device's programs and
// names survive every fault, as the device's memory does.
#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>

namespace devsim {

class TcpDeviceServer;

class ConnectionFaults : public QObject {
    Q_OBJECT
  public:
    explicit ConnectionFaults(TcpDeviceServer& server, QObject* parent = nullptr);

    // Drops the client every `period` (0: never).
    void CloseEvery(std::chrono::milliseconds period);
    // Restarts the server every `period`, refusing connections for `down` each time.
    void RestartEvery(std::chrono::milliseconds period, std::chrono::milliseconds down);

  private:
    TcpDeviceServer& server_;
    QTimer closeTimer_;
    QTimer restartTimer_;
    std::chrono::milliseconds down_{0};
};

}  // namespace devsim
