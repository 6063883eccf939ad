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

  signals:
    // After the device has taken the bytes, so its log already shows them.
    void BytesReceived(const QByteArray& bytes);

  private:
    void Accept();
    void ReadClient();

    SimulatedDevice& device_;
    QTcpServer server_;
    QPointer<QTcpSocket> client_;
    ReplyWriter writer_;
    int connectionCount_ = 0;
};

}  // namespace devsim
