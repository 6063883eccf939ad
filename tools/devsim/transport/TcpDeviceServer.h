// SPDX-License-Identifier: GPL-3.0-or-later
// Serves a simulated device over TCP, the way the device's network interface
// does: one client at a time, requests in, replies out.
//
// The constraint: it listens on 127.0.0.1 only, whatever the caller asks for,
// so a test or a demo can never answer for (or reach) a real device.
#pragma once

#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <chrono>
#include <functional>

#include "core/SimulatedDevice.h"
#include "transport/ReplyWriter.h"

namespace devsim {

class TcpDeviceServer : public QObject {
    Q_OBJECT
  public:
    explicit TcpDeviceServer(SimulatedDevice& device, QObject* parent = nullptr);

    // Listens on 127.0.0.1; port 0 picks a free one. False when the port is taken.
    bool Listen(quint16 port = 0);
    quint16 Port() const;
    // Number of clients accepted so far.
    int ConnectionCount() const { return connectionCount_; }
    bool HasClient() const;
    // Drops the current client, as a device that resets its network would.
    void DropClient();
    // A power cycle: the client is dropped and the port refuses connections
    // for `down`, then listens again on the same port. The device keeps its
    // programs, as its memory does. False when the port could not be taken back.
    void Restart(std::chrono::milliseconds down);
    bool IsListening() const { return server_.isListening(); }

  signals:
    // After the device has taken the bytes, so its log already shows them.
    void BytesReceived(const QByteArray& bytes);
    // The port listens again after a restart (false: it could not be taken back).
    void Restarted(bool listening);

  private:
    void Accept();
    void ReadClient();

    SimulatedDevice& device_;
    QTcpServer server_;
    QPointer<QTcpSocket> client_;
    ReplyWriter writer_;
    int connectionCount_ = 0;
    quint16 port_ = 0;
    // Bumped by each restart: only the last one listens again.
    unsigned restarts_ = 0;
};

}  // namespace devsim
