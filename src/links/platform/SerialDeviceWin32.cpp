// SPDX-License-Identifier: GPL-3.0-or-later
// Windows: a serial line as a communications file opened unshared and
// overlapped, so the listener's event wait and the user-interface thread's
// reads and writes run side by side, each with its own completion event.
// Reads return at once with what has arrived; a write that the line does not
// take within a short slice is cut back to what it did take.
#include <windows.h>

#include "links/platform/SerialDevice.h"

namespace SerialDevice {
namespace {

// How long one write may wait for the driver before it counts as "no room".
constexpr DWORD kWriteSliceMs = 20;
// A wait for room has no event to wait on; the caller looks again this often.
constexpr DWORD kRoomPollMs = 10;

HANDLE Native(Handle handle) {
    return reinterpret_cast<HANDLE>(handle);
}

DWORD WaitMs(int timeoutMs) {
    return timeoutMs < 0 ? INFINITE : static_cast<DWORD>(timeoutMs);
}

// One overlapped operation with its own completion event.
struct Operation {
    OVERLAPPED overlapped{};
    Operation() { overlapped.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr); }
    ~Operation() {
        if (overlapped.hEvent != nullptr) {
            CloseHandle(overlapped.hEvent);
        }
    }
    Operation(const Operation&) = delete;
    Operation& operator=(const Operation&) = delete;
    bool IsValid() const { return overlapped.hEvent != nullptr; }
};

// Ends a pending operation and returns the bytes it moved before it ended.
DWORD Abandon(HANDLE line, Operation& operation) {
    CancelIoEx(line, &operation.overlapped);
    DWORD moved = 0;
    GetOverlappedResult(line, &operation.overlapped, &moved, TRUE);
    return moved;
}

bool ReadState(HANDLE line, DCB& state) {
    state = DCB{};
    state.DCBlength = sizeof state;
    return GetCommState(line, &state) != 0;
}

WaitResult WaitForEvents(Handle handle, DWORD mask, const WakeSignal* wake, int timeoutMs,
                         long& error) {
    const HANDLE line = Native(handle);
    Operation operation;
    if (!operation.IsValid() || SetCommMask(line, mask) == 0) {
        error = static_cast<long>(GetLastError());
        return WaitResult::Failed;
    }
    DWORD events = 0;
    if (WaitCommEvent(line, &events, &operation.overlapped) != 0) {
        return WaitResult::Activity;
    }
    if (GetLastError() != ERROR_IO_PENDING) {
        // An unplugged adapter refuses every request on its handle.
        return WaitResult::LineGone;
    }
    const bool waking = wake != nullptr && wake->IsValid();
    const HANDLE watched[2] = {operation.overlapped.hEvent,
                               waking ? Native(wake->WaitEnd()) : nullptr};
    const DWORD ended = WaitForMultipleObjects(waking ? 2 : 1, watched, FALSE, WaitMs(timeoutMs));
    if (ended == WAIT_OBJECT_0) {
        DWORD ignored = 0;
        return GetOverlappedResult(line, &operation.overlapped, &ignored, FALSE) != 0
                   ? WaitResult::Activity
                   : WaitResult::LineGone;
    }
    Abandon(line, operation);
    if (waking && ended == WAIT_OBJECT_0 + 1) {
        return WaitResult::Woken;
    }
    if (ended == WAIT_TIMEOUT) {
        return WaitResult::TimedOut;
    }
    error = static_cast<long>(GetLastError());
    return WaitResult::Failed;
}

}  // namespace

WakeSignal::~WakeSignal() {
    Destroy();
}

long WakeSignal::Create() {
    Destroy();
    const HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (event == nullptr) {
        return static_cast<long>(GetLastError());
    }
    waitEnd_ = reinterpret_cast<Handle>(event);
    signalEnd_ = waitEnd_;
    return 0;
}

void WakeSignal::Destroy() {
    if (waitEnd_ != kNoHandle) {
        CloseHandle(Native(waitEnd_));
    }
    waitEnd_ = kNoHandle;
    signalEnd_ = kNoHandle;
}

void WakeSignal::Signal() {
    SetEvent(Native(signalEnd_));
}

void WakeSignal::Drain() {
    ResetEvent(Native(waitEnd_));
}

std::string PathForPortName(const std::string& portName) {
    // "COM10" and above open only through the device namespace.
    return portName.rfind("\\\\", 0) == 0 ? portName : "\\\\.\\" + portName;
}

long OpenUnshared(const std::string& path, Handle& handle) {
    handle = kNoHandle;
    const HANDLE line = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
    if (line == INVALID_HANDLE_VALUE) {
        return static_cast<long>(GetLastError());
    }
    // Reads take what has arrived and return at once.
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = MAXDWORD;
    DCB state;
    if (GetFileType(line) != FILE_TYPE_CHAR || !ReadState(line, state) ||
        SetCommTimeouts(line, &timeouts) == 0) {
        const long error = static_cast<long>(GetLastError());
        CloseHandle(line);
        return error != 0 ? error : ERROR_INVALID_HANDLE;
    }
    handle = reinterpret_cast<Handle>(line);
    return 0;
}

void Close(Handle handle) {
    CloseHandle(Native(handle));
}

bool IsPermissionDenied(long) {
    // Windows answers "access denied" for a port another program holds, and
    // serial ports have no group to join: nothing to advise.
    return false;
}

long ApplyLineSettings(Handle handle, const LineSettings& line) {
    switch (line.baudrate) {
        case 9600:
        case 19200:
        case 38400:
        case 57600:
        case 115200:
            break;
        default:
            return ERROR_INVALID_PARAMETER;
    }
    DCB state;
    if (!ReadState(Native(handle), state)) {
        return static_cast<long>(GetLastError());
    }
    state.BaudRate = static_cast<DWORD>(line.baudrate);
    state.ByteSize = static_cast<BYTE>(line.dataBits);
    state.fBinary = TRUE;
    state.fParity = line.parity != Parity::None ? TRUE : FALSE;
    state.Parity = line.parity == Parity::Odd    ? ODDPARITY
                   : line.parity == Parity::Even ? EVENPARITY
                                                 : NOPARITY;
    state.StopBits = line.twoStopBits ? TWOSTOPBITS : ONESTOPBIT;
    state.fNull = FALSE;
    state.fAbortOnError = FALSE;
    return SetCommState(Native(handle), &state) != 0 ? 0 : static_cast<long>(GetLastError());
}

long ApplyHandshake(Handle handle, Handshake handshake) {
    DCB state;
    if (!ReadState(Native(handle), state)) {
        return static_cast<long>(GetLastError());
    }
    const bool hardware = handshake == Handshake::Hardware;
    const bool software = handshake == Handshake::Software;
    state.fOutxCtsFlow = hardware ? TRUE : FALSE;
    state.fOutxDsrFlow = FALSE;
    state.fDtrControl = DTR_CONTROL_ENABLE;
    state.fRtsControl = hardware ? RTS_CONTROL_HANDSHAKE : RTS_CONTROL_ENABLE;
    state.fOutX = software ? TRUE : FALSE;
    state.fInX = software ? TRUE : FALSE;
    return SetCommState(Native(handle), &state) != 0 ? 0 : static_cast<long>(GetLastError());
}

size_t BytesWaiting(Handle handle) {
    DWORD errors = 0;
    COMSTAT status{};
    if (ClearCommError(Native(handle), &errors, &status) == 0) {
        return 0;
    }
    return status.cbInQue;
}

Transfer ReadAvailable(Handle handle, void* buffer, size_t size) {
    const HANDLE line = Native(handle);
    Operation operation;
    if (!operation.IsValid()) {
        return {static_cast<long>(GetLastError()), 0, false};
    }
    DWORD moved = 0;
    const DWORD wanted = size > MAXDWORD ? MAXDWORD : static_cast<DWORD>(size);
    if (ReadFile(line, buffer, wanted, &moved, &operation.overlapped) == 0) {
        if (GetLastError() != ERROR_IO_PENDING) {
            return {static_cast<long>(GetLastError()), 0, false};
        }
        // With the interval time-out at its maximum the driver answers at once.
        if (GetOverlappedResult(line, &operation.overlapped, &moved, TRUE) == 0) {
            return {static_cast<long>(GetLastError()), 0, false};
        }
    }
    // A read of nothing on a serial line means nothing has arrived yet.
    return {0, moved, moved == 0};
}

Transfer WriteAvailable(Handle handle, const void* data, size_t size) {
    const HANDLE line = Native(handle);
    Operation operation;
    if (!operation.IsValid()) {
        return {static_cast<long>(GetLastError()), 0, false};
    }
    DWORD moved = 0;
    const DWORD wanted = size > MAXDWORD ? MAXDWORD : static_cast<DWORD>(size);
    if (WriteFile(line, data, wanted, &moved, &operation.overlapped) == 0) {
        if (GetLastError() != ERROR_IO_PENDING) {
            return {static_cast<long>(GetLastError()), 0, false};
        }
        if (WaitForSingleObject(operation.overlapped.hEvent, kWriteSliceMs) == WAIT_OBJECT_0) {
            if (GetOverlappedResult(line, &operation.overlapped, &moved, FALSE) == 0) {
                return {static_cast<long>(GetLastError()), 0, false};
            }
        } else {
            moved = Abandon(line, operation);
        }
    }
    return {0, moved, moved == 0};
}

long DiscardBuffers(Handle handle) {
    const DWORD what = PURGE_RXCLEAR | PURGE_TXCLEAR | PURGE_RXABORT | PURGE_TXABORT;
    return PurgeComm(Native(handle), what) != 0 ? 0 : static_cast<long>(GetLastError());
}

WaitResult WaitForInput(Handle handle, bool forInput, const WakeSignal* wake, int timeoutMs,
                        long& error) {
    const DWORD mask = forInput ? (EV_RXCHAR | EV_BREAK | EV_ERR) : (EV_BREAK | EV_ERR);
    return WaitForEvents(handle, mask, wake, timeoutMs, error);
}

WaitResult WaitForRoom(Handle, int timeoutMs) {
    if (timeoutMs == 0) {
        return WaitResult::TimedOut;
    }
    const DWORD slice =
        timeoutMs < 0 ? kRoomPollMs
                      : (static_cast<DWORD>(timeoutMs) < kRoomPollMs ? static_cast<DWORD>(timeoutMs)
                                                                     : kRoomPollMs);
    Sleep(slice);
    return WaitResult::Activity;
}

WaitResult WaitForBytes(Handle handle, int timeoutMs) {
    long ignored = 0;
    return WaitForEvents(handle, EV_RXCHAR | EV_BREAK | EV_ERR, nullptr, timeoutMs, ignored);
}

}  // namespace SerialDevice
