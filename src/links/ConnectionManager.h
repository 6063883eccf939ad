// SPDX-License-Identifier: GPL-3.0-or-later
// Owns the device link of the main view: opens the chosen link (serial,
// network or USB), drops the edits made offline, runs the link's pump on its
// timer (serial every 50 ms, network every 200 ms; USB is its own pump),
// starts the initial read of the device, and closes the link on request, when
// the pump or the USB worker gives up, or when the link goes away under it
// (a serial port or USB device unplugged), reporting the failure once. A
// network connection the device closes is shown as lost at once and left to
// the pump's reconnect.
//
// The constraint: a pump declares its link dead from inside its own tick, so
// the pump objects are never destroyed while a link could still call back into
// them; a fresh pump is made by the next successful open.
#pragma once

#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>

#include "curves/BilingualText.h"
#include "links/ClientSocket.h"
#include "links/ConnectionSettings.h"
#include "links/SerialLink.h"
#include "protocol/DeviceTransfers.h"

class CAudio_Data;
class CCommand;
class CUsbPort;
class NetworkPump;
class PortInfoSource;
class SerialPump;
struct ConnectPortChoice;

class ConnectionManager : public QObject {
    Q_OBJECT
  public:
    ConnectionManager(CCommand& engine, DeviceTransfers& transfers, CAudio_Data& program,
                      QObject* parent = nullptr);
    ~ConnectionManager() override;

    ConnectionSettings& Settings() { return settings_; }
    const ConnectionSettings& Settings() const { return settings_; }
    bool IsConnected() const { return transfers_.IsConnected(); }
    // Connected and the link really carries bytes: false while a network
    // connection the device closed waits for its reconnect.
    bool IsLinkUp() const { return IsConnected() && !linkLost_; }
    // The link that is open (or being opened), None otherwise.
    LinkKind ActiveLink() const { return activeLink_; }
    bool IsConnecting() const { return connecting_; }

    // The USB link lives with its worker elsewhere; without one a USB connect fails.
    void SetUsbPort(CUsbPort* usb);

    // Connected: disconnects at once. Otherwise runs the Connect dialog and,
    // when it is accepted, opens the link of the settings.
    void ToggleConnection(const std::function<bool()>& runConnectDialog);
    // Opens the link of the settings' type. Serial and USB answer at once; a
    // network connect answers later through ConnectionChanged or FailureMessage.
    void Connect();
    void Disconnect();

    // Fills the Connect dialog's serial port list and stores the port it selects.
    ConnectPortChoice FillPortList(PortInfoSource& source);

    // What the next initial read does with the editor's program: replace it
    // with the processor's (the usual), or download it to the processor
    // after the names and system settings have been read. Used once.
    enum class InitialRead { TakeDeviceProgram, KeepEditorProgram };
    void SetInitialRead(InitialRead how) { initialRead_ = how; }

    // USB worker gave up (the view's answer to the engine's USB event).
    void HandleUsbFailure();

    SerialLink& Serial() { return serial_; }
    CClientSocket& Network() { return network_; }
    int NetworkReconnectCount() const;

    // Tests only: runs a pump faster, so that its tick counts pass in less real time.
    void SetPumpIntervalForTesting(LinkKind link, int intervalMs);

    static constexpr int kSerialPumpIntervalMs = 50;
    static constexpr int kNetworkPumpIntervalMs = 200;

  signals:
    // Redraw the connect button and the status lamp.
    void ConnectionChanged(bool connected);
    // Show this text in a message box, in the interface language.
    void FailureMessage(BilingualText text);
    // The initial read was queued; the view shows progress as `start` says.
    void InitialReadStarted(TransferStart start);

  private:
    void OpenSerial();
    void OpenNetwork();
    void OpenUsb();
    void NetworkConnectFinished(bool connected);
    // Common to every link once it is open.
    void BeginSession(LinkKind link);
    void StartInitialRead();
    void CloseSerial();
    void CloseNetwork();
    void CloseUsb();
    void LinkDied(LinkKind link);
    void LinkLost(LinkKind link);
    void NetworkLost();
    void NetworkRestored();
    // Empties the queue, telling each waiting transfer why.
    void DropQueue(RequestOutcome outcome);

    CCommand& engine_;
    DeviceTransfers& transfers_;
    CAudio_Data& program_;
    ConnectionSettings settings_;
    SerialLink serial_;
    CClientSocket network_;
    CUsbPort* usb_ = nullptr;
    std::unique_ptr<SerialPump> serialPump_;
    std::unique_ptr<NetworkPump> networkPump_;
    QTimer serialTimer_;
    QTimer networkTimer_;
    LinkKind activeLink_ = LinkKind::None;
    bool connecting_ = false;
    bool linkLost_ = false;
    InitialRead initialRead_ = InitialRead::TakeDeviceProgram;
};
