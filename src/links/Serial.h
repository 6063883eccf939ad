// SPDX-License-Identifier: GPL-3.0-or-later
// A serial port: open without sharing, line settings, handshaking, event mask
// and event wait, reads and writes with a time-out, purge. Every operation
// returns the code it also keeps as the last error (see SerialErrors.h). The
// platform's side of the line is behind links/platform/SerialDevice.h.
//
// The constraint: an event wait reports received characters the way a port
// event does, once per arrival, not for as long as bytes sit unread; callers
// that leave data in the port get the next event only when more arrives.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>

#include "links/platform/SerialDevice.h"

class CSerial {
  public:
    enum EBaudrate {
        EBaud9600 = 9600,
        EBaud19200 = 19200,
        EBaud38400 = 38400,
        EBaud57600 = 57600,
        EBaud115200 = 115200
    };
    enum EDataBits { EData5 = 5, EData6 = 6, EData7 = 7, EData8 = 8 };
    enum EParity { EParNone, EParOdd, EParEven };
    enum EStopBits { EStop1, EStop2 };
    enum EHandshake { EHandshakeOff, EHandshakeHardware, EHandshakeSoftware };
    enum EReadTimeout { EReadTimeoutNonblocking, EReadTimeoutBlocking };

    // Event bits, as the port reports them.
    static constexpr uint32_t kEventReceivedChar = 0x0001;
    static constexpr uint32_t kEventBreak = 0x0040;
    static constexpr uint32_t kEventLineError = 0x0080;
    // Received character, event character, transmit buffer empty, CTS, DSR,
    // carrier, break, line error, ring.
    static constexpr uint32_t kEventAll = 0x01FF;
    // What a freshly opened port watches: received character, break, line error.
    static constexpr uint32_t kEventDefault = 0x00C1;
    static constexpr int kWaitForever = -1;

    CSerial() = default;
    virtual ~CSerial();
    CSerial(const CSerial&) = delete;
    CSerial& operator=(const CSerial&) = delete;

    // Queue sizes are checked (0, or at least 16) but the driver keeps its own.
    virtual long Open(const std::string& device, size_t inQueue = 0, size_t outQueue = 0,
                      bool overlapped = true);
    virtual long Close();
    virtual long Setup(EBaudrate baudrate = EBaud57600, EDataBits dataBits = EData8,
                       EParity parity = EParNone, EStopBits stopBits = EStop1);
    virtual long SetMask(uint32_t mask = kEventDefault);
    // Waits until an event of the mask happens; kSerialTimeout when it does not in time.
    virtual long WaitEvent(int timeoutMs = kWaitForever);
    virtual long SetupHandshaking(EHandshake handshake);
    virtual long SetupReadTimeouts(EReadTimeout readTimeout);
    // The events of the last wait, then forgotten.
    virtual uint32_t GetEventType();
    uint32_t GetEventMask() const { return eventMask_; }
    virtual long Write(const void* data, size_t size, size_t* written = nullptr,
                       int timeoutMs = kWaitForever);
    virtual long Read(void* buffer, size_t size, size_t* read = nullptr,
                      int timeoutMs = kWaitForever);
    long Purge();

    bool IsOpen() const { return handle_ != SerialDevice::kNoHandle; }
    long GetLastError() const { return lastError_; }

  protected:
    // Event wait that also ends when `wake` is signalled (nullptr: none).
    long WaitEventOrWake(const SerialDevice::WakeSignal* wake, int timeoutMs);
    long Fail(long error) { return lastError_ = error; }
    long Succeed() { return lastError_ = 0; }
    // Diagnostics for the developer; nothing the user sees.
    static void Trace(const char* line);

  private:
    // Bytes that have ever arrived, as far as the port lets us count them.
    uint64_t ArrivedSoFar() const;

    long lastError_ = 0;
    SerialDevice::Handle handle_ = SerialDevice::kNoHandle;
    std::atomic<uint32_t> eventType_{0};
    std::atomic<uint32_t> eventMask_{0};
    EReadTimeout readTimeout_ = EReadTimeoutNonblocking;
    std::atomic<uint64_t> bytesTaken_{0};
    uint64_t arrivedReported_ = 0;
};
