// SPDX-License-Identifier: GPL-3.0-or-later
#include "links/SerialLink.h"

#include <array>

#include "links/LinkMessages.h"
#include "links/SerialErrors.h"
#include "links/platform/SerialDevice.h"
#include "protocol/Command.h"

namespace {
// Matches the engine's read buffer; the longest read asked for is 1200 bytes.
constexpr size_t kReadAreaSize = 2000;
}  // namespace

SerialLink::SerialLink(CCommand& engine, QObject* parent) : QObject(parent), engine_(engine) {
    connect(&port_, &CSerialWnd::ComEvent, this, &SerialLink::OnComEvent, Qt::QueuedConnection);
    // A loss reported by the listener of a port since closed (or reopened) is stale.
    connect(
        &port_, &CSerialWnd::LineLost, this,
        [this](qint64 opening) {
            if (port_.IsOpen() && opening == openings_) {
                emit Lost();
            }
        },
        Qt::QueuedConnection);
}

SerialLink::~SerialLink() {
    Close();
}

std::string SerialLink::DevicePath(const std::string& portName) {
    return SerialDevice::PathForPortName(portName);
}

BilingualText SerialLink::OpenFailureMessage(long error) {
    return SerialDevice::IsPermissionDenied(error) ? LinkMessage::kSerialPortNotPermitted
                                                   : LinkMessage::kSerialPortOpenFailed;
}

bool SerialLink::Open(const std::string& portName) {
    if (port_.IsOpen()) {
        port_.Close();
    }
    const long opened =
        portName.empty() ? kSerialInvalidHandle : port_.Open(DevicePath(portName), ++openings_);
    if (opened != kSerialSuccess) {
        emit OpenFailed(OpenFailureMessage(opened));
        return false;
    }
    // A port that refuses the line settings is no use to the device: close it
    // and say so, rather than fail silently and keep the port held open.
    if (port_.Setup(CSerial::EBaud57600, CSerial::EData8, CSerial::EParNone, CSerial::EStop1) !=
            kSerialSuccess ||
        port_.SetupHandshaking(CSerial::EHandshakeOff) != kSerialSuccess ||
        port_.SetMask(CSerial::kEventAll) != kSerialSuccess) {
        port_.Close();
        emit OpenFailed(LinkMessage::kSerialPortOpenFailed);
        return false;
    }
    engine_.ResetReceiver();
    port_.Purge();
    return true;
}

bool SerialLink::Close() {
    return port_.Close() == kSerialSuccess;
}

void SerialLink::OnComEvent(quint32 wParam) {
    if ((wParam & CSerial::kEventReceivedChar) != 0) {
        ReadOnEvent();
    }
}

void SerialLink::ReadOnEvent() {
    const int size = engine_.SerialReadSize();
    if (size <= 0 || !port_.IsOpen()) {
        return;
    }
    std::array<uint8_t, kReadAreaSize> area{};
    size_t count = 0;
    const size_t wanted = std::min(static_cast<size_t>(size), area.size());
    // A read that runs out of time passes nothing on; the assembler keeps its state.
    if (port_.Read(area.data(), wanted, &count, kReadTimeoutMs) != kSerialSuccess || count == 0) {
        return;
    }
    engine_.FeedSerial(std::span(area.data(), count));
}

void SerialLink::Transmit(std::span<const uint8_t> frame) {
    // A short or timed-out write is covered by the reply time-out.
    port_.Write(frame.data(), frame.size(), nullptr, kWriteTimeoutMs);
}

void SerialLink::ResetReceiver() {
    port_.Purge();
}

void SerialLink::RequestReconnect(ReconnectDone done) {
    done(false);
}

void SerialLink::DeclareDead() {
    emit Dead();
}
