// SPDX-License-Identifier: GPL-3.0-or-later
// The operating system's side of a serial line, and the only place where the
// serial family touches the platform: the path of a port name, opening a line
// unshared, line settings and handshaking, counting, reading and writing bytes
// without blocking, waiting for input or for room with a time-out, discarding
// what is buffered, and a wake signal that ends a wait from another thread.
// The family above it (CSerial, CSerialEx) keeps the event and time-out rules,
// so a port behaves the same on every platform. SerialDevicePosix.cpp serves
// Linux and macOS, SerialDeviceWin32.cpp Windows.
//
// The constraint: nothing here blocks longer than the time-out it is given,
// and failures come back as the platform's own error code (errno on POSIX),
// which the family keeps as its last error.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace SerialDevice {

using Handle = std::intptr_t;
inline constexpr Handle kNoHandle = -1;

enum class Parity { None, Odd, Even };
enum class Handshake { Off, Hardware, Software };

struct LineSettings {
    int baudrate = 57600;
    int dataBits = 8;
    Parity parity = Parity::None;
    bool twoStopBits = false;
};

// What one non-blocking read or write did: `count` bytes moved; with none
// moved, `wouldBlock` tells "nothing yet" from "the line has ended".
struct Transfer {
    long error = 0;
    size_t count = 0;
    bool wouldBlock = false;
};

enum class WaitResult {
    Activity,  // something may have changed: look again
    Woken,     // the wake signal was given
    TimedOut,
    LineGone,  // adapter unplugged, far end closed
    Failed,
};

// Lets another thread end a wait. Signals stay until drained.
class WakeSignal {
  public:
    WakeSignal() = default;
    ~WakeSignal();
    WakeSignal(const WakeSignal&) = delete;
    WakeSignal& operator=(const WakeSignal&) = delete;

    // 0 or the platform's error code.
    long Create();
    void Destroy();
    bool IsValid() const { return waitEnd_ != kNoHandle; }
    void Signal();
    void Drain();
    Handle WaitEnd() const { return waitEnd_; }

  private:
    Handle waitEnd_ = kNoHandle;
    Handle signalEnd_ = kNoHandle;
};

// The path the platform opens for a port name: a name without a folder is
// looked for among the devices ("ttyUSB0" is "/dev/ttyUSB0"); a path stays.
std::string PathForPortName(const std::string& portName);

// Opens for reading and writing, not blocking, and so that nobody else may
// open the line while it is held. 0 or the error code.
long OpenUnshared(const std::string& path, Handle& handle);
void Close(Handle handle);
// True when the error says this user may not open the line.
bool IsPermissionDenied(long error);

// Raw bytes both ways at the given speed and frame; an unsupported speed is
// refused with an error code.
long ApplyLineSettings(Handle handle, const LineSettings& settings);
long ApplyHandshake(Handle handle, Handshake handshake);

// Bytes received and not yet read; 0 when the platform cannot say.
size_t BytesWaiting(Handle handle);
Transfer ReadAvailable(Handle handle, void* buffer, size_t size);
Transfer WriteAvailable(Handle handle, const void* data, size_t size);
// Throws away what is buffered both ways.
long DiscardBuffers(Handle handle);

// Waits up to `timeoutMs` (negative: for ever) for input when `forInput`
// (else only for the line going or the wake), or until `wake` is signalled
// when it is given. `error` receives the code of a failure.
WaitResult WaitForInput(Handle handle, bool forInput, const WakeSignal* wake, int timeoutMs,
                        long& error);
// Waits up to `timeoutMs` until the line takes more bytes.
WaitResult WaitForRoom(Handle handle, int timeoutMs);
// Same for input, without a wake signal.
WaitResult WaitForBytes(Handle handle, int timeoutMs);

}  // namespace SerialDevice
