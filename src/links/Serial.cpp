// SPDX-License-Identifier: GPL-3.0-or-later
#include "links/Serial.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

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

bool ToSpeed(CSerial::EBaudrate baudrate, speed_t& speed) {
    switch (baudrate) {
        case CSerial::EBaud9600:
            speed = B9600;
            return true;
        case CSerial::EBaud19200:
            speed = B19200;
            return true;
        case CSerial::EBaud38400:
            speed = B38400;
            return true;
        case CSerial::EBaud57600:
            speed = B57600;
            return true;
        case CSerial::EBaud115200:
            speed = B115200;
            return true;
    }
    return false;
}

tcflag_t ToCharacterSize(CSerial::EDataBits dataBits) {
    switch (dataBits) {
        case CSerial::EData5:
            return CS5;
        case CSerial::EData6:
            return CS6;
        case CSerial::EData7:
            return CS7;
        case CSerial::EData8:
            return CS8;
    }
    return CS8;
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
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const long error = errno;
        Trace("CSerial::Open - Unable to open port\n");
        return Fail(error);
    }
    // Not shared: nobody else may open the line while we hold it.
    if (!isatty(fd) || ioctl(fd, TIOCEXCL) != 0) {
        const long error = errno;
        ::close(fd);
        Trace("CSerial::Open - Unable to open port\n");
        return Fail(error);
    }
    if ((inQueue != 0 || outQueue != 0) &&
        (inQueue < kMinimumQueueSize || outQueue < kMinimumQueueSize)) {
        ioctl(fd, TIOCNXCL);
        ::close(fd);
        Trace("CSerial::Open - Unable to setup the COM-port\n");
        return Fail(EINVAL);
    }
    fd_ = fd;
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
    ioctl(fd_, TIOCNXCL);
    ::close(fd_);
    fd_ = -1;
    return Succeed();
}

long CSerial::Setup(EBaudrate baudrate, EDataBits dataBits, EParity parity, EStopBits stopBits) {
    if (!IsOpen()) {
        return Fail(kSerialInvalidHandle);
    }
    termios settings{};
    speed_t speed = B0;
    if (!ToSpeed(baudrate, speed)) {
        Trace("CSerial::Setup - Unable to set DCB information\n");
        return Fail(EINVAL);
    }
    if (tcgetattr(fd_, &settings) != 0) {
        const long error = errno;
        Trace("CSerial::Setup - Unable to obtain DCB information\n");
        return Fail(error);
    }
    // Raw bytes both ways: no echo, no line editing, no translation.
    settings.c_iflag &=
        ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | INPCK);
    settings.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    settings.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    settings.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CSTOPB);
    settings.c_cflag |= ToCharacterSize(dataBits) | CREAD | CLOCAL;
    if (parity != EParNone) {
        settings.c_cflag |= PARENB;
        settings.c_iflag |= INPCK;
        if (parity == EParOdd) {
            settings.c_cflag |= PARODD;
        }
    }
    if (stopBits == EStop2) {
        settings.c_cflag |= CSTOPB;
    }
    settings.c_cc[VMIN] = 0;
    settings.c_cc[VTIME] = 0;
    cfsetispeed(&settings, speed);
    cfsetospeed(&settings, speed);
    if (tcsetattr(fd_, TCSANOW, &settings) != 0) {
        const long error = errno;
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
    termios settings{};
    if (tcgetattr(fd_, &settings) != 0) {
        const long error = errno;
        Trace("CSerial::SetupHandshaking - Unable to obtain DCB information\n");
        return Fail(error);
    }
    settings.c_cflag &= ~static_cast<tcflag_t>(CRTSCTS);
    settings.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    switch (handshake) {
        case EHandshakeOff:
            break;
        case EHandshakeHardware:
            settings.c_cflag |= CRTSCTS;
            break;
        case EHandshakeSoftware:
            settings.c_iflag |= IXON | IXOFF;
            break;
        default:
            Trace("CSerial::SetupHandshaking - Unknown handshaking\n");
            return Fail(kSerialInvalidArgument);
    }
    if (tcsetattr(fd_, TCSANOW, &settings) != 0) {
        const long error = errno;
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
    return WaitEventOrWake(-1, timeoutMs);
}

uint64_t CSerial::ArrivedSoFar() const {
    // Taken first, waiting second: a read in between can only make the sum
    // too small, which delays an event but never swallows one.
    const uint64_t taken = bytesTaken_.load();
    int waiting = 0;
    if (ioctl(fd_, FIONREAD, &waiting) != 0 || waiting < 0) {
        waiting = 0;
    }
    return taken + static_cast<uint64_t>(waiting);
}

long CSerial::WaitEventOrWake(int wakeFd, int timeoutMs) {
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
        int waiting = 0;
        ioctl(fd_, FIONREAD, &waiting);
        const bool unreadBytes = waiting > 0;

        pollfd fds[2] = {{fd_, static_cast<short>(unreadBytes ? 0 : POLLIN), 0},
                         {wakeFd, POLLIN, 0}};
        const int count = wakeFd >= 0 ? 2 : 1;
        int slice = RemainingMs(deadline, timeoutMs);
        if (unreadBytes && (slice < 0 || slice > kUnreadPollMs)) {
            slice = kUnreadPollMs;
        }
        const int ready = ::poll(fds, static_cast<nfds_t>(count), slice);
        if (ready < 0) {
            if (errno == EINTR) {
                continue;
            }
            return Fail(errno);
        }
        if (count == 2 && (fds[1].revents & POLLIN) != 0) {
            return Succeed();  // woken: the caller looks at why
        }
        if ((fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) {
            // The line has gone (adapter unplugged, far end closed).
            return Fail(EIO);
        }
        if (ready == 0 && timeoutMs >= 0 && RemainingMs(deadline, timeoutMs) == 0) {
            return Fail(kSerialTimeout);
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
        const ssize_t count = ::write(fd_, bytes + done, size - done);
        if (count > 0) {
            done += static_cast<size_t>(count);
            if (written != nullptr) {
                *written = done;
            }
            continue;
        }
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0 && errno != EAGAIN) {
            const long error = errno;
            Trace("CSerial::Write - Unable to write the data\n");
            return Fail(error);
        }
        pollfd fds = {fd_, POLLOUT, 0};
        const int slice = RemainingMs(deadline, timeoutMs);
        if (slice == 0 || ::poll(&fds, 1, slice) == 0) {
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
        const ssize_t count = ::read(fd_, bytes + done, size - done);
        if (count > 0) {
            done += static_cast<size_t>(count);
            bytesTaken_ += static_cast<uint64_t>(count);
            if (read != nullptr) {
                *read = done;
            }
            if (readTimeout_ == EReadTimeoutNonblocking) {
                break;
            }
            continue;
        }
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0 && errno != EAGAIN) {
            const long error = errno;
            Trace("CSerial::Read - Unable to read the data\n");
            return Fail(error);
        }
        // Non-blocking reads take what has arrived, even nothing.
        if (count == 0 || readTimeout_ == EReadTimeoutNonblocking) {
            break;
        }
        pollfd fds = {fd_, POLLIN, 0};
        const int slice = RemainingMs(deadline, timeoutMs);
        if (slice == 0 || ::poll(&fds, 1, slice) == 0) {
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
    int waiting = 0;
    ioctl(fd_, FIONREAD, &waiting);
    if (tcflush(fd_, TCIOFLUSH) != 0) {
        const long error = errno;
        Trace("CSerial::Purge - Overlapped completed without result\n");
        return Fail(error);
    }
    bytesTaken_ += static_cast<uint64_t>(waiting > 0 ? waiting : 0);
    return Succeed();
}

void CSerial::Trace(const char* line) {
    QString text = QString::fromLatin1(line);
    if (text.endsWith('\n')) {
        text.chop(1);
    }
    qDebug().noquote() << text;
}
