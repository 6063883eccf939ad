// SPDX-License-Identifier: GPL-3.0-or-later
#include "links/ClientSocket.h"

#include <array>

CClientSocket::CClientSocket(ReceiveSink sink, QObject* parent)
    : QObject(parent), sink_(std::move(sink)) {
    guardTimer_.setSingleShot(true);
    connect(&guardTimer_, &QTimer::timeout, this, [this] {
        // Nothing answered in time: the connect is cancelled and fails.
        if (pendingConnect_) {
            DropSocket();
            FinishConnect(false);
        }
    });
}

CClientSocket::~CClientSocket() {
    Close();
}

void CClientSocket::Connect(const QString& address, quint16 port, ConnectDone done) {
    Close();
    address_ = address;
    port_ = port;
    StartConnect(std::move(done));
}

void CClientSocket::StartConnect(ConnectDone done) {
    DropSocket();
    pendingConnect_ = std::move(done);
    socket_ = std::make_unique<QTcpSocket>();
    QTcpSocket* socket = socket_.get();
    connect(socket, &QTcpSocket::connected, this, [this] {
        if (pendingConnect_) {
            FinishConnect(true);
        }
    });
    connect(socket, &QTcpSocket::errorOccurred, this, [this, socket] {
        if (pendingConnect_ && socket->state() != QAbstractSocket::ConnectedState) {
            DropSocket();
            FinishConnect(false);
        }
    });
    connect(socket, &QTcpSocket::readyRead, this, &CClientSocket::ReceiveOnce);
    connect(socket, &QTcpSocket::disconnected, this, [this] {
        if (!pendingConnect_) {
            emit Lost();
        }
    });
    guardArmed_ = true;
    guardTimer_.start(kGuardLimitMs);
    socket->connectToHost(address_, port_);
}

void CClientSocket::FinishConnect(bool connected) {
    // The guard stays armed after a connect until the first data arrives.
    guardTimer_.stop();
    ConnectDone done = std::move(pendingConnect_);
    pendingConnect_ = nullptr;
    done(connected);
}

void CClientSocket::Close() {
    ++generation_;
    guardTimer_.stop();
    pendingConnect_ = nullptr;
    guardArmed_ = false;
    DropSocket();
}

void CClientSocket::DropSocket() {
    if (socket_) {
        socket_->disconnect(this);
        socket_->abort();
        // A signal of this socket may be on the stack; delete it later.
        socket_.release()->deleteLater();
    }
    receiveQueued_ = false;
}

bool CClientSocket::IsConnected() const {
    return socket_ && socket_->state() == QAbstractSocket::ConnectedState;
}

void CClientSocket::ReceiveOnce() {
    receiveQueued_ = false;
    if (!socket_) {
        return;
    }
    guardArmed_ = false;
    std::array<uint8_t, kReceiveLimit> buffer{};
    const qint64 count = socket_->read(reinterpret_cast<char*>(buffer.data()), kReceiveLimit);
    if (count > 0) {
        sink_(std::span<const uint8_t>(buffer.data(), static_cast<size_t>(count)));
    }
    // More than one receive's worth is waiting: take it with the next notification.
    if (socket_ && socket_->bytesAvailable() > 0 && !receiveQueued_) {
        receiveQueued_ = true;
        const unsigned generation = generation_;
        QTimer::singleShot(0, this, [this, generation] {
            if (generation == generation_) {
                ReceiveOnce();
            }
        });
    }
}

void CClientSocket::Transmit(std::span<const uint8_t> frame) {
    // One write per frame; a lost frame is covered by the reply time-out.
    if (IsConnected()) {
        socket_->write(reinterpret_cast<const char*>(frame.data()),
                       static_cast<qint64>(frame.size()));
    }
}

void CClientSocket::ResetReceiver() {
    // The socket keeps no partial frame of its own; the engine resets its assembler.
}

void CClientSocket::RequestReconnect(ReconnectDone done) {
    const unsigned generation = generation_;
    DropSocket();
    QTimer::singleShot(kReconnectPauseMs, this, [this, generation, done = std::move(done)] {
        if (generation != generation_) {
            return;
        }
        StartConnect([this, generation, done](bool connected) {
            if (!connected) {
                done(false);
                return;
            }
            emit Restored();
            QTimer::singleShot(kReconnectSettleMs, this, [this, generation, done] {
                if (generation == generation_) {
                    done(true);
                }
            });
        });
    });
}

void CClientSocket::DeclareDead() {
    emit Dead();
}
