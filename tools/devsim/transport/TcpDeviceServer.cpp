// SPDX-License-Identifier: GPL-3.0-or-later
#include "transport/TcpDeviceServer.h"

#include <QTimer>

namespace devsim {

TcpDeviceServer::TcpDeviceServer(SimulatedDevice& device, QObject* parent)
    : QObject(parent),
      device_(device),
      writer_(
          [this](const QByteArray& bytes) {
              if (client_) {
                  client_->write(bytes);
                  client_->flush();
              }
          },
          [this] { DropClient(); }) {
    connect(&server_, &QTcpServer::newConnection, this, &TcpDeviceServer::Accept);
}

bool TcpDeviceServer::Listen(quint16 port) {
    if (!server_.listen(QHostAddress::LocalHost, port)) {
        return false;
    }
    port_ = server_.serverPort();
    return true;
}

quint16 TcpDeviceServer::Port() const {
    return port_;
}

void TcpDeviceServer::Restart(std::chrono::milliseconds down) {
    DropClient();
    server_.close();
    const unsigned restart = ++restarts_;
    QTimer::singleShot(down, this, [this, restart] {
        if (restart == restarts_) {
            emit Restarted(server_.listen(QHostAddress::LocalHost, port_));
        }
    });
}

bool TcpDeviceServer::HasClient() const {
    return client_ && client_->state() == QAbstractSocket::ConnectedState;
}

void TcpDeviceServer::DropClient() {
    writer_.Drop();
    if (client_) {
        client_->abort();
        client_->deleteLater();
        client_ = nullptr;
    }
}

void TcpDeviceServer::Accept() {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        // The device talks to one editor; a new connection replaces the old one.
        DropClient();
        client_ = socket;
        ++connectionCount_;
        device_.ResetReceiver();
        socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        connect(socket, &QTcpSocket::readyRead, this, &TcpDeviceServer::ReadClient);
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
}

void TcpDeviceServer::ReadClient() {
    if (!client_) {
        return;
    }
    const QByteArray bytes = client_->readAll();
    writer_.Enqueue(device_.Receive(std::span(reinterpret_cast<const uint8_t*>(bytes.data()),
                                              static_cast<size_t>(bytes.size()))));
    emit BytesReceived(bytes);
}

}  // namespace devsim
