// SPDX-License-Identifier: GPL-3.0-or-later
// Linux and macOS: a serial line on the POSIX terminal interface, held
// unshared with TIOCEXCL; the wake signal is a non-blocking pipe.
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>

#include "links/platform/SerialDevice.h"

namespace SerialDevice {
namespace {

int Descriptor(Handle handle) {
    return static_cast<int>(handle);
}

bool ToSpeed(int baudrate, speed_t& speed) {
    switch (baudrate) {
        case 9600:
            speed = B9600;
            return true;
        case 19200:
            speed = B19200;
            return true;
        case 38400:
            speed = B38400;
            return true;
        case 57600:
            speed = B57600;
            return true;
        case 115200:
            speed = B115200;
            return true;
        default:
            return false;
    }
}

tcflag_t ToCharacterSize(int dataBits) {
    switch (dataBits) {
        case 5:
            return CS5;
        case 6:
            return CS6;
        case 7:
            return CS7;
        default:
            return CS8;
    }
}

bool MakeNonBlockingAndPrivate(int fd) {
    const int status = fcntl(fd, F_GETFL);
    return status >= 0 && fcntl(fd, F_SETFL, status | O_NONBLOCK) == 0 &&
           fcntl(fd, F_SETFD, FD_CLOEXEC) == 0;
}

WaitResult PollOne(int fd, short events, int timeoutMs) {
    pollfd watched = {fd, events, 0};
    return ::poll(&watched, 1, timeoutMs) == 0 ? WaitResult::TimedOut : WaitResult::Activity;
}

}  // namespace

WakeSignal::~WakeSignal() {
    Destroy();
}

long WakeSignal::Create() {
    Destroy();
    int ends[2] = {-1, -1};
    if (::pipe(ends) != 0) {
        return errno;
    }
    if (!MakeNonBlockingAndPrivate(ends[0]) || !MakeNonBlockingAndPrivate(ends[1])) {
        const long error = errno;
        ::close(ends[0]);
        ::close(ends[1]);
        return error;
    }
    waitEnd_ = ends[0];
    signalEnd_ = ends[1];
    return 0;
}

void WakeSignal::Destroy() {
    if (waitEnd_ != kNoHandle) {
        ::close(Descriptor(waitEnd_));
        ::close(Descriptor(signalEnd_));
    }
    waitEnd_ = kNoHandle;
    signalEnd_ = kNoHandle;
}

void WakeSignal::Signal() {
    const char one = 1;
    [[maybe_unused]] const ssize_t ignored = ::write(Descriptor(signalEnd_), &one, 1);
}

void WakeSignal::Drain() {
    char drained[64];
    while (::read(Descriptor(waitEnd_), drained, sizeof drained) > 0) {
    }
}

std::string PathForPortName(const std::string& portName) {
    return !portName.empty() && portName.front() == '/' ? portName : "/dev/" + portName;
}

long OpenUnshared(const std::string& path, Handle& handle) {
    handle = kNoHandle;
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return errno;
    }
    if (!isatty(fd) || ioctl(fd, TIOCEXCL) != 0) {
        const long error = errno;
        ::close(fd);
        return error;
    }
    handle = fd;
    return 0;
}

void Close(Handle handle) {
    ioctl(Descriptor(handle), TIOCNXCL);
    ::close(Descriptor(handle));
}

bool IsPermissionDenied(long error) {
    return error == EACCES || error == EPERM;
}

long ApplyLineSettings(Handle handle, const LineSettings& line) {
    speed_t speed = B0;
    if (!ToSpeed(line.baudrate, speed)) {
        return EINVAL;
    }
    termios settings{};
    if (tcgetattr(Descriptor(handle), &settings) != 0) {
        return errno;
    }
    // Raw bytes both ways: no echo, no line editing, no translation.
    settings.c_iflag &=
        ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | INPCK);
    settings.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    settings.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    settings.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CSTOPB);
    settings.c_cflag |= ToCharacterSize(line.dataBits) | CREAD | CLOCAL;
    if (line.parity != Parity::None) {
        settings.c_cflag |= PARENB;
        settings.c_iflag |= INPCK;
        if (line.parity == Parity::Odd) {
            settings.c_cflag |= PARODD;
        }
    }
    if (line.twoStopBits) {
        settings.c_cflag |= CSTOPB;
    }
    settings.c_cc[VMIN] = 0;
    settings.c_cc[VTIME] = 0;
    cfsetispeed(&settings, speed);
    cfsetospeed(&settings, speed);
    return tcsetattr(Descriptor(handle), TCSANOW, &settings) == 0 ? 0 : errno;
}

long ApplyHandshake(Handle handle, Handshake handshake) {
    termios settings{};
    if (tcgetattr(Descriptor(handle), &settings) != 0) {
        return errno;
    }
    settings.c_cflag &= ~static_cast<tcflag_t>(CRTSCTS);
    settings.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    if (handshake == Handshake::Hardware) {
        settings.c_cflag |= CRTSCTS;
    } else if (handshake == Handshake::Software) {
        settings.c_iflag |= IXON | IXOFF;
    }
    return tcsetattr(Descriptor(handle), TCSANOW, &settings) == 0 ? 0 : errno;
}

size_t BytesWaiting(Handle handle) {
    int waiting = 0;
    if (ioctl(Descriptor(handle), FIONREAD, &waiting) != 0 || waiting < 0) {
        return 0;
    }
    return static_cast<size_t>(waiting);
}

Transfer ReadAvailable(Handle handle, void* buffer, size_t size) {
    for (;;) {
        const ssize_t count = ::read(Descriptor(handle), buffer, size);
        if (count >= 0) {
            return {0, static_cast<size_t>(count), false};
        }
        if (errno == EAGAIN || errno == EWOULDBLOCK) {
            return {0, 0, true};
        }
        if (errno != EINTR) {
            return {errno, 0, false};
        }
    }
}

Transfer WriteAvailable(Handle handle, const void* data, size_t size) {
    for (;;) {
        const ssize_t count = ::write(Descriptor(handle), data, size);
        if (count > 0) {
            return {0, static_cast<size_t>(count), false};
        }
        if (count == 0 || errno == EAGAIN || errno == EWOULDBLOCK) {
            return {0, 0, true};
        }
        if (errno != EINTR) {
            return {errno, 0, false};
        }
    }
}

long DiscardBuffers(Handle handle) {
    return tcflush(Descriptor(handle), TCIOFLUSH) == 0 ? 0 : errno;
}

WaitResult WaitForInput(Handle handle, bool forInput, const WakeSignal* wake, int timeoutMs,
                        long& error) {
    const bool waking = wake != nullptr && wake->IsValid();
    pollfd watched[2] = {
        {Descriptor(handle), static_cast<short>(forInput ? POLLIN : 0), 0},
        {waking ? Descriptor(wake->WaitEnd()) : -1, POLLIN, 0},
    };
    const int ready = ::poll(watched, waking ? 2 : 1, timeoutMs);
    if (ready < 0) {
        if (errno == EINTR) {
            return WaitResult::Activity;
        }
        error = errno;
        return WaitResult::Failed;
    }
    if (waking && (watched[1].revents & POLLIN) != 0) {
        return WaitResult::Woken;
    }
    if ((watched[0].revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) {
        return WaitResult::LineGone;
    }
    return ready == 0 ? WaitResult::TimedOut : WaitResult::Activity;
}

WaitResult WaitForRoom(Handle handle, int timeoutMs) {
    return PollOne(Descriptor(handle), POLLOUT, timeoutMs);
}

WaitResult WaitForBytes(Handle handle, int timeoutMs) {
    return PollOne(Descriptor(handle), POLLIN, timeoutMs);
}

}  // namespace SerialDevice
