// SPDX-License-Identifier: GPL-3.0-or-later
// The serial half of the protocol engine: opens the port for the device
// (57600 baud, 8N1, no handshaking, every event watched), writes head frames,
// and on each received-character event reads as many bytes as the head
// message's reply needs and feeds them to the engine's stream assembler.
//
// The constraint: nothing is read while the queue is empty; the bytes stay in
// the port and are taken with the next event that comes while a message waits.
#pragma once

#include <QObject>
#include <string>

#include "curves/BilingualText.h"
#include "links/SerialWnd.h"
#include "protocol/LinkPort.h"

class CCommand;

class SerialLink : public QObject, public LinkPort {
    Q_OBJECT
  public:
    explicit SerialLink(CCommand& engine, QObject* parent = nullptr);
    ~SerialLink() override;

    // Opens the named port ("ttyUSB0", or a full path). A port that cannot be
    // opened reports "Unable to open COM-port!" through OpenFailed, with the
    // way to get permission when the user lacks it.
    bool Open(const std::string& portName);
    // True when the port was open.
    bool Close();
    bool IsOpen() const { return port_.IsOpen(); }
    // Reads what the head message's reply needs and feeds it to the engine.
    void ReadOnEvent();

    // The device path a port name opens.
    static std::string DevicePath(const std::string& portName);
    // The message for a port that would not open with `error`.
    static BilingualText OpenFailureMessage(long error);

    void Transmit(std::span<const uint8_t> frame) override;
    void ResetReceiver() override;
    void RequestReconnect(ReconnectDone done) override;
    void DeclareDead() override;

    static constexpr int kWriteTimeoutMs = 1000;
    static constexpr int kReadTimeoutMs = 50;

  signals:
    void OpenFailed(BilingualText message);
    void Dead();
    // The open port went away (unplugged adapter, closed far end).
    void Lost();

  private:
    void OnComEvent(quint32 wParam);

    CCommand& engine_;
    CSerialWnd port_;
    // Numbers each open, so a loss reported for an earlier one is ignored.
    qint64 openings_ = 0;
};
