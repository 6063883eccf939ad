// SPDX-License-Identifier: GPL-3.0-or-later
// A serial port whose events reach the UI thread as a queued signal carrying
// the event bits in the low word and the line error bits in the high word,
// with the notification parameter given at open.
//
// The constraint: the signal is emitted on the listener thread; receivers must
// be connected queued (the default across threads), and a notification may
// still arrive after Close, so handlers tolerate a closed port.
#pragma once

#include <QObject>

#include "links/SerialEx.h"

class CSerialWnd : public QObject, public CSerialEx {
    Q_OBJECT
  public:
    explicit CSerialWnd(QObject* parent = nullptr);
    ~CSerialWnd() override;

    // Opens the port and starts the listener; `parameter` comes back with each event.
    long Open(const std::string& device, long parameter = 0, size_t inQueue = 0,
              size_t outQueue = 0);
    long Close() override;

  signals:
    void ComEvent(quint32 wParam, qint64 parameter);
    // The port went away under the listener (emitted on the listener thread).
    void LineLost(qint64 parameter);

  protected:
    void OnEvent(uint32_t eventBits, uint32_t errorBits) override;
    void OnLineLost() override;

  private:
    std::atomic<long> parameter_{0};
};
