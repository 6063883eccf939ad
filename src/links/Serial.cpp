// SPDX-License-Identifier: GPL-3.0-or-later
#include "links/Serial.h"

#include <QDebug>
#include <cerrno>
#include <chrono>

#include "links/SerialErrors.h"

namespace {

// While bytes sit unread the port stays readable, so new arrivals are looked
// for at this pace instead of by waiting for readability.
constexpr int kUnreadPollMs = 5;
constexpr size_t kMinimumQueueSize = 16;

using Clock = std::chrono::steady_clock;

int RemainingMs(Clock::time_point deadline, int timeoutMs) {
    if (timeoutMs < 0) {
        return -1;
    }
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

SerialDevice::Parity ToParity(CSerial::EParity parity) {
    switch (parity) {
        case CSerial::EParOdd:
            return SerialDevice::Parity::Odd;
        case CSerial::EParEven:
            return SerialDevice::Parity::Even;
        default:
            return SerialDevice::Parity::None;
    }
}

}  // namespace

CSerial::~CSerial() {
    if (IsOpen()) {
        Trace("CSerial::~CSerial - Serial port not closed\n");
        CSerial::Close();
    }
}

long CSerial::Open(const std::string& device, size_t inQueue, size_t outQueue, bool) {
    if (IsOpen()) {
        Trace("CSerial::Open - Port already opened\n");
        return Fail(kSerialAlreadyOpen);
    }
    SerialDevice::Handle handle = SerialDevice::kNoHandle;
    // Not shared: nobody else may open the line while we hold it.
    if (const long error = SerialDevice::OpenUnshared(device, handle); error != 0) {
        Trace("CSerial::Open - Unable to open port\n");
        return Fail(error);
    }
    if ((inQueue != 0 || outQueue != 0) &&
        (inQueue < kMinimumQueueSize || outQueue < kMinimumQueueSize)) {
        SerialDevice::Close(handle);
        Trace("CSerial::Open - Unable to setup the COM-port\n");
        return Fail(EINVAL);
    }
    handle_ = handle;
    bytesTaken_ = 0;
    arrivedReported_ = 0;
    eventType_ = 0;
    SetMask(kEventDefault);
    SetupReadTimeouts(EReadTimeoutNonblocking);
    return Succeed();
}

long CSerial::Close() {
    if (!IsOpen()) {
        return Fail(kSerialInvalidHandle);
    }
    SerialDevice::Close(handle_);
    handle_ = SerialDevice::kNoHandle;
    return Succeed();
}

long CSerial::Setup(EBaudrate baudrate, EDataBits dataBits, EParity parity, EStopBits stopBits) {
    if (!IsOpen()) {
        return Fail(kSerialInvalidHandle);
    }
    const SerialDevice::LineSettings line{static_cast<int>(baudrate), static_cast<int>(dataBits),
                                          ToParity(parity), stopBits == EStop2};
    if (const long error = SerialDevice::ApplyLineSettings(handle_, line); error != 0) {
        Trace("CSerial::Setup - Unable to set DCB information\n");
        return Fail(error);
    }
    return Succeed();
}

long CSerial::SetMask(uint32_t mask) {
    if (!IsOpen()) {
        return Fail(kSerialInvalidHandle);
    }
    eventMask_ = mask;
    return Succeed();
}

long CSerial::SetupHandshaking(EHandshake handshake) {
    if (!IsOpen()) {
        return Fail(kSerialInvalidHandle);
    }
    SerialDevice::Handshake wanted = SerialDevice::Handshake::Off;
    switch (handshake) {
        case EHandshakeOff:
            break;
        case EHandshakeHardware:
            wanted = SerialDevice::Handshake::Hardware;
            break;
        case EHandshakeSoftware:
            wanted = SerialDevice::Handshake::Software;
            break;
        default:
            Trace("CSerial::SetupHandshaking - Unknown handshaking\n");
            return Fail(kSerialInvalidArgument);
    }
    if (const long error = SerialDevice::ApplyHandshake(handle_, wanted); error != 0) {
        Trace("CSerial::SetupHandshaking - Unable to set DCB information\n");
        return Fail(error);
    }
    return Succeed();
}

long CSerial::SetupReadTimeouts(EReadTimeout readTimeout) {
    if (!IsOpen()) {
        return Fail(kSerialInvalidHandle);
    }
    if (readTimeout != EReadTimeoutNonblocking && readTimeout != EReadTimeoutBlocking) {
        Trace("CSerial::SetupReadTimeouts - Unknown timeout type\n");
        return Fail(kSerialInvalidArgument);
    }
    readTimeout_ = readTimeout;
    return Succeed();
}

uint32_t CSerial::GetEventType() {
    return eventType_.exchange(0);
}

long CSerial::WaitEvent(int timeoutMs) {
    return WaitEventOrWake(nullptr, timeoutMs);
}

uint64_t CSerial::ArrivedSoFar() const {
    // Taken first, waiting second: a read in between can only make the sum
    // too small, which delays an event but never swallows one.
    const uint64_t taken = bytesTaken_.load();
    return taken + SerialDevice::BytesWaiting(handle_);
}

long CSerial::WaitEventOrWake(const SerialDevice::WakeSignal* wake, int timeoutMs) {
    if (!IsOpen()) {
        return Fail(kSerialInvalidHandle);
    }
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        const uint64_t arrived = ArrivedSoFar();
        const bool watchingInput = (eventMask_ & kEventReceivedChar) != 0;
        if (watchingInput && arrived > arrivedReported_) {
            arrivedReported_ = arrived;
            eventType_ |= kEventReceivedChar;
            return Succeed();
        }
        const bool unreadBytes = SerialDevice::BytesWaiting(handle_) > 0;
        int slice = RemainingMs(deadline, timeoutMs);
        if (unreadBytes && (slice < 0 || slice > kUnreadPollMs)) {
            slice = kUnreadPollMs;
        }
        long error = 0;
        switch (SerialDevice::WaitForInput(handle_, !unreadBytes, wake, slice, error)) {
            case SerialDevice::WaitResult::Failed:
                return Fail(error);
            case SerialDevice::WaitResult::Woken:
                return Succeed();  // the caller looks at why
            case SerialDevice::WaitResult::LineGone:
                return Fail(EIO);
            case SerialDevice::WaitResult::TimedOut:
                if (timeoutMs >= 0 && RemainingMs(deadline, timeoutMs) == 0) {
                    return Fail(kSerialTimeout);
                }
                break;
            case SerialDevice::WaitResult::Activity:
                break;
        }
    }
}

long CSerial::Write(const void* data, size_t size, size_t* written, int timeoutMs) {
    if (written != nullptr) {
        *written = 0;
    }
    if (!IsOpen()) {
        return Fail(kSerialInvalidHandle);
    }
    const auto* bytes = static_cast<const uint8_t*>(data);
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    size_t done = 0;
    while (done < size) {
        const SerialDevice::Transfer moved =
            SerialDevice::WriteAvailable(handle_, bytes + done, size - done);
        if (moved.error != 0) {
            Trace("CSerial::Write - Unable to write the data\n");
            return Fail(moved.error);
        }
        if (moved.count > 0) {
            done += moved.count;
            if (written != nullptr) {
                *written = done;
            }
            continue;
        }
        const int slice = RemainingMs(deadline, timeoutMs);
        if (slice == 0 ||
            SerialDevice::WaitForRoom(handle_, slice) == SerialDevice::WaitResult::TimedOut) {
            return Fail(kSerialTimeout);
        }
    }
    return Succeed();
}

long CSerial::Read(void* buffer, size_t size, size_t* read, int timeoutMs) {
    if (read != nullptr) {
        *read = 0;
    }
    if (!IsOpen()) {
        return Fail(kSerialInvalidHandle);
    }
    auto* bytes = static_cast<uint8_t*>(buffer);
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    size_t done = 0;
    while (done < size) {
        const SerialDevice::Transfer moved =
            SerialDevice::ReadAvailable(handle_, bytes + done, size - done);
        if (moved.error != 0) {
            Trace("CSerial::Read - Unable to read the data\n");
            return Fail(moved.error);
        }
        if (moved.count > 0) {
            done += moved.count;
            bytesTaken_ += moved.count;
            if (read != nullptr) {
                *read = done;
            }
            if (readTimeout_ == EReadTimeoutNonblocking) {
                break;
            }
            continue;
        }
        // Non-blocking reads take what has arrived, even nothing.
        if (!moved.wouldBlock || readTimeout_ == EReadTimeoutNonblocking) {
            break;
        }
        const int slice = RemainingMs(deadline, timeoutMs);
        if (slice == 0 ||
            SerialDevice::WaitForBytes(handle_, slice) == SerialDevice::WaitResult::TimedOut) {
            return Fail(kSerialTimeout);
        }
    }
    return Succeed();
}

long CSerial::Purge() {
    if (!IsOpen()) {
        return Fail(kSerialInvalidHandle);
    }
    // What is thrown away counts as taken, or the next arrival would look old.
    const size_t waiting = SerialDevice::BytesWaiting(handle_);
    if (const long error = SerialDevice::DiscardBuffers(handle_); error != 0) {
        Trace("CSerial::Purge - Overlapped completed without result\n");
        return Fail(error);
    }
    bytesTaken_ += waiting;
    return Succeed();
}

void CSerial::Trace(const char* line) {
    QString text = QString::fromLatin1(line);
    if (text.endsWith('\n')) {
        text.chop(1);
    }
    qDebug().noquote() << text;
}
