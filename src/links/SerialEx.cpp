// SPDX-License-Identifier: GPL-3.0-or-later
#include "links/SerialEx.h"

#include <system_error>

#include "links/SerialErrors.h"

CSerialEx::~CSerialEx() {
    if (IsOpen()) {
        Trace("CSerialEx::~CSerialEx - Serial port not closed\n");
    }
    // The listener calls OnEvent of a derived class that is already gone, so
    // derived classes close in their own destructor; this is the last resort.
    CloseListenerResources();
}

long CSerialEx::Open(const std::string& device, size_t inQueue, size_t outQueue,
                     bool startListener) {
    const long result = CSerial::Open(device, inQueue, outQueue, true);
    if (result != kSerialSuccess) {
        return result;
    }
    if (const long error = wake_.Create(); error != 0) {
        Trace("CSerialEx::Open - Unable to create event\n");
        CSerial::Close();
        return Fail(error);
    }
    if (startListener) {
        const long started = StartListener();
        if (started != kSerialSuccess) {
            CloseListenerResources();
            CSerial::Close();
            return Fail(started);
        }
    }
    return Succeed();
}

long CSerialEx::Close() {
    if (!IsOpen()) {
        return Fail(kSerialInvalidHandle);
    }
    CloseListenerResources();
    return CSerial::Close();
}

void CSerialEx::CloseListenerResources() {
    StopListener();
    wake_.Destroy();
}

long CSerialEx::StartListener() {
    if (!IsOpen() || !wake_.IsValid()) {
        return Fail(kSerialInvalidHandle);
    }
    if (listener_.joinable()) {
        return Succeed();
    }
    try {
        listener_ = std::thread(&CSerialEx::ThreadProc, this);
    } catch (const std::system_error& error) {
        Trace("CSerialEx::StartListener - Unable to start COMM watcher thread\n");
        return Fail(error.code().value());
    }
    return Succeed();
}

long CSerialEx::StopListener() {
    if (!listener_.joinable()) {
        return Succeed();
    }
    stopping_ = true;
    wake_.Signal();
    listener_.join();
    wake_.Drain();
    stopping_ = false;
    return Succeed();
}

void CSerialEx::ThreadProc() {
    while (!stopping_) {
        if (WaitEventOrWake(&wake_, kWaitForever) != kSerialSuccess) {
            Trace("CSerialEx::ThreadProc - Unable to wait until COM event has arrived\n");
            if (!stopping_) {
                OnLineLost();
            }
            return;
        }
        if (stopping_) {
            break;
        }
        const uint32_t event = GetEventType() & GetEventMask();
        // Not every platform reports line errors; none are passed on.
        const uint32_t errors = 0;
        if (event != 0) {
            OnEvent(event, errors);
        }
    }
}
