// SPDX-License-Identifier: GPL-3.0-or-later
// The network link: one TCP connection from the editor to the device. It
// connects under a guard that gives up on an address where nothing answers,
// sends each frame in one write, and hands whatever arrives (at most 1500
// bytes per notification) to the engine's stream assembler. A reconnect
// closes, pauses 500 ms, connects again and settles for 1000 ms.
//
// The constraint: nothing here blocks the UI thread. Every step that used to
// wait is a single-shot timer, and Close() cancels the steps still to come
// without calling their completions (the owner has stopped the pump first).
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTcpSocket>
#include <QTimer>
#include <functional>
#include <memory>

#include "protocol/LinkPort.h"

class CClientSocket : public QObject, public LinkPort {
    Q_OBJECT
  public:
    using ConnectDone = std::function<void(bool connected)>;
    // Where received bytes go: the engine's stream assembler.
    using ReceiveSink = std::function<void(std::span<const uint8_t> bytes)>;

    explicit CClientSocket(ReceiveSink sink, QObject* parent = nullptr);
    ~CClientSocket() override;

    // Starts connecting; `done` runs once, later, with the outcome.
    void Connect(const QString& address, quint16 port, ConnectDone done);
    void Close();
    bool IsConnected() const;
    // Armed by a connect until the first data arrives.
    bool IsGuardArmed() const { return guardArmed_; }

    void Transmit(std::span<const uint8_t> frame) override;
    void ResetReceiver() override;
    void RequestReconnect(ReconnectDone done) override;
    void DeclareDead() override;

    static constexpr int kGuardLimitMs = 2000;
    static constexpr int kReconnectPauseMs = 500;
    static constexpr int kReconnectSettleMs = 1000;
    static constexpr qint64 kReceiveLimit = 1500;

  signals:
    void Dead();
    // The device closed the connection (or it broke) while it was up.
    void Lost();
    // A reconnect brought the connection back.
    void Restored();

  private:
    void StartConnect(ConnectDone done);
    void FinishConnect(bool connected);
    void ReceiveOnce();
    void DropSocket();

    ReceiveSink sink_;
    std::unique_ptr<QTcpSocket> socket_;
    QString address_;
    quint16 port_ = 0;
    ConnectDone pendingConnect_;
    QTimer guardTimer_;
    bool guardArmed_ = false;
    bool receiveQueued_ = false;
    // Bumped by Close(): timer steps of an older generation do nothing.
    unsigned generation_ = 0;
};
