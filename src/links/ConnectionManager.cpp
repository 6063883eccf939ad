// SPDX-License-Identifier: GPL-3.0-or-later
#include "links/ConnectionManager.h"

#include "links/LinkMessages.h"
#include "links/SerialPortEnumeration.h"
#include "links/Usb_Port.h"
#include "model/Audio_Data.h"
#include "protocol/Command.h"
#include "protocol/NetworkPump.h"
#include "protocol/SerialPump.h"

ConnectionManager::ConnectionManager(CCommand& engine, DeviceTransfers& transfers,
                                     CAudio_Data& program, QObject* parent)
    : QObject(parent),
      engine_(engine),
      transfers_(transfers),
      program_(program),
      serial_(engine),
      network_([&engine](std::span<const uint8_t> bytes) { engine.FeedNetwork(bytes); }) {
    serialTimer_.setInterval(kSerialPumpIntervalMs);
    networkTimer_.setInterval(kNetworkPumpIntervalMs);
    connect(&serialTimer_, &QTimer::timeout, this, [this] {
        if (serialPump_) {
            serialPump_->Tick();
        }
    });
    connect(&networkTimer_, &QTimer::timeout, this, [this] {
        if (networkPump_) {
            networkPump_->Tick();
        }
    });
    connect(&serial_, &SerialLink::OpenFailed, this, &ConnectionManager::FailureMessage);
    connect(&serial_, &SerialLink::Dead, this, [this] { LinkDied(LinkKind::Serial); });
    connect(&network_, &CClientSocket::Dead, this, [this] { LinkDied(LinkKind::Network); });
    connect(&serial_, &SerialLink::Lost, this, [this] { LinkLost(LinkKind::Serial); });
    connect(&network_, &CClientSocket::Lost, this, &ConnectionManager::NetworkLost);
    connect(&network_, &CClientSocket::Restored, this, &ConnectionManager::NetworkRestored);
}

ConnectionManager::~ConnectionManager() {
    serialTimer_.stop();
    networkTimer_.stop();
    network_.Close();
    serial_.Close();
}

void ConnectionManager::SetUsbPort(CUsbPort* usb) {
    if (usb_ != nullptr) {
        disconnect(usb_, nullptr, this, nullptr);
    }
    usb_ = usb;
    if (usb_ != nullptr) {
        connect(usb_, &CUsbPort::OpenDeviceRemoved, this, [this] {
            if (activeLink_ == LinkKind::Usb) {
                LinkLost(LinkKind::Usb);
            }
        });
    }
}

void ConnectionManager::ToggleConnection(const std::function<bool()>& runConnectDialog) {
    if (IsConnected() || connecting_) {
        Disconnect();
        return;
    }
    if (runConnectDialog()) {
        Connect();
    }
}

void ConnectionManager::Connect() {
    if (IsConnected() || connecting_) {
        return;
    }
    switch (settings_.linkKind) {
        case LinkKind::Network:
            OpenNetwork();
            break;
        case LinkKind::Usb:
            OpenUsb();
            break;
        default:
            OpenSerial();
            break;
    }
}

void ConnectionManager::Disconnect() {
    // The link that is open is closed, whatever the settings say now.
    switch (activeLink_) {
        case LinkKind::Serial:
            CloseSerial();
            break;
        case LinkKind::Network:
            CloseNetwork();
            break;
        case LinkKind::Usb:
            CloseUsb();
            break;
        default:
            break;
    }
}

void ConnectionManager::OpenSerial() {
    // A failed open has already reported "Unable to open COM-port!"; nothing more is shown.
    if (!serial_.Open(settings_.serialPortName)) {
        return;
    }
    serialPump_ = std::make_unique<SerialPump>(engine_.Wiring(serial_, transfers_.State()));
    BeginSession(LinkKind::Serial);
    serialTimer_.start();
    StartInitialRead();
}

void ConnectionManager::OpenNetwork() {
    // The Connect dialog accepts any non-negative int; cut to 16 bits it would
    // reach some other port, so a port TCP cannot have fails like a refused connect.
    if (settings_.tcpPort < 1 || settings_.tcpPort > 65535) {
        emit FailureMessage(LinkMessage::kNetworkLinkFailed);
        return;
    }
    connecting_ = true;
    activeLink_ = LinkKind::Network;
    network_.Connect(QString::fromStdString(settings_.deviceAddress),
                     static_cast<quint16>(settings_.tcpPort),
                     [this](bool connected) { NetworkConnectFinished(connected); });
}

void ConnectionManager::NetworkConnectFinished(bool connected) {
    connecting_ = false;
    if (!connected) {
        activeLink_ = LinkKind::None;
        network_.Close();
        emit FailureMessage(LinkMessage::kNetworkLinkFailed);
        return;
    }
    // A fresh pump per connection: its reconnect count starts at 0.
    networkPump_ = std::make_unique<NetworkPump>(engine_.Wiring(network_, transfers_.State()));
    BeginSession(LinkKind::Network);
    networkTimer_.start();
    StartInitialRead();
}

void ConnectionManager::OpenUsb() {
    if (usb_ == nullptr || !usb_->Open()) {
        emit FailureMessage(usb_ != nullptr && usb_->IsDeviceListed()
                                ? LinkMessage::kUsbDeviceNotOpenable
                                : LinkMessage::kUsbLinkFailed);
        return;
    }
    BeginSession(LinkKind::Usb);
    StartInitialRead();
    usb_->Signal(UsbEvent::SendNext);
}

void ConnectionManager::BeginSession(LinkKind link) {
    activeLink_ = link;
    linkLost_ = false;
    engine_.ResetReceiver();
    transfers_.SetConnected(true);
    // Edits made while offline are not sent row by row.
    program_.ClearPendingChanges();
    emit ConnectionChanged(true);
}

void ConnectionManager::StartInitialRead() {
    const InitialRead how = initialRead_;
    initialRead_ = InitialRead::TakeDeviceProgram;
    emit InitialReadStarted(how == InitialRead::KeepEditorProgram
                                ? transfers_.ReadDeviceStateKeepingProgram()
                                : transfers_.ReadDeviceState());
}

void ConnectionManager::CloseSerial() {
    if (!IsConnected()) {
        return;
    }
    serialTimer_.stop();
    serial_.Close();
    activeLink_ = LinkKind::None;
    transfers_.SetConnected(false);
    DropQueue(RequestOutcome::LinkClosed);
    emit ConnectionChanged(false);
}

void ConnectionManager::CloseNetwork() {
    networkTimer_.stop();
    network_.Close();
    const bool wasConnected = IsConnected();
    connecting_ = false;
    activeLink_ = LinkKind::None;
    linkLost_ = false;
    transfers_.SetConnected(false);
    serial_.Close();
    DropQueue(RequestOutcome::LinkClosed);
    if (wasConnected) {
        emit ConnectionChanged(false);
    }
}

void ConnectionManager::CloseUsb() {
    if (usb_ != nullptr) {
        usb_->Close();
    }
    engine_.ResetUsbReceiver();
    activeLink_ = LinkKind::None;
    transfers_.SetConnected(false);
    DropQueue(RequestOutcome::LinkClosed);
    emit ConnectionChanged(false);
}

void ConnectionManager::HandleUsbFailure() {
    if (activeLink_ != LinkKind::Usb) {
        return;
    }
    DropQueue(RequestOutcome::GaveUp);
    CloseUsb();
    emit FailureMessage(LinkMessage::kUsbLinkFailed);
    program_.ClearPendingChanges();
}

void ConnectionManager::LinkDied(LinkKind link) {
    if (activeLink_ != link || !IsConnected()) {
        return;
    }
    DropQueue(RequestOutcome::GaveUp);
    if (link == LinkKind::Serial) {
        CloseSerial();
    } else {
        CloseNetwork();
    }
    emit FailureMessage(LinkFailureMessage(link));
}

void ConnectionManager::LinkLost(LinkKind link) {
    if (activeLink_ != link || !IsConnected()) {
        return;
    }
    if (link == LinkKind::Serial) {
        CloseSerial();
        emit FailureMessage(LinkMessage::kComLinkLost);
    } else if (link == LinkKind::Usb) {
        CloseUsb();
        emit FailureMessage(LinkMessage::kUsbLinkLost);
    }
}

void ConnectionManager::NetworkLost() {
    if (activeLink_ != LinkKind::Network || !IsConnected() || linkLost_) {
        return;
    }
    // The pump's reconnect brings it back, or gives the link up; until then
    // the indicators say what is true: no link.
    linkLost_ = true;
    emit ConnectionChanged(false);
    emit FailureMessage(LinkMessage::kNetworkLinkLost);
}

void ConnectionManager::NetworkRestored() {
    if (activeLink_ != LinkKind::Network || !IsConnected() || !linkLost_) {
        return;
    }
    linkLost_ = false;
    emit ConnectionChanged(true);
}

void ConnectionManager::DropQueue(RequestOutcome outcome) {
    engine_.DropAll(outcome);
    // No transfer survives its link; the progress display must not stay up.
    transfers_.FinishReadTransfer();
}

ConnectPortChoice ConnectionManager::FillPortList(PortInfoSource& source) {
    ConnectPortChoice choice = ChooseConnectPorts(ListEveryPort(source), settings_.serialPortName);
    settings_.serialPortName = choice.serialPortName;
    return choice;
}

int ConnectionManager::NetworkReconnectCount() const {
    return networkPump_ ? networkPump_->GetReconnectCount() : 0;
}

void ConnectionManager::SetPumpIntervalForTesting(LinkKind link, int intervalMs) {
    (link == LinkKind::Network ? networkTimer_ : serialTimer_).setInterval(intervalMs);
}
