// SPDX-License-Identifier: GPL-3.0-or-later
#include "transport/PtyDevice.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace devsim {

PtyDevice::PtyDevice(SimulatedDevice& device, QObject* parent)
    : QObject(parent),
      device_(device),
      writer_([this](const QByteArray& bytes) { WriteMaster(bytes); },
              // A serial line cannot be hung up from the device's end; dropping
              // the pending replies is the nearest thing.
              [this] { writer_.Drop(); }) {}

PtyDevice::~PtyDevice() {
    Close();
}

bool PtyDevice::Open() {
    Close();
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (master_ < 0) {
        return false;
    }
    const char* name = nullptr;
    if (grantpt(master_) != 0 || unlockpt(master_) != 0 || (name = ptsname(master_)) == nullptr) {
        const int error = errno;
        Close();
        errno = error;
        return false;
    }
    slavePath_ = name;
    slaveKeeper_ = ::open(slavePath_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (slaveKeeper_ < 0) {
        const int error = errno;
        Close();
        errno = error;
        return false;
    }
    termios raw{};
    if (tcgetattr(slaveKeeper_, &raw) == 0) {
        cfmakeraw(&raw);
        tcsetattr(slaveKeeper_, TCSANOW, &raw);
    }
    device_.ResetReceiver();
    notifier_ = std::make_unique<QSocketNotifier>(master_, QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &PtyDevice::ReadMaster);
    return true;
}

void PtyDevice::Close() {
    writer_.Drop();
    notifier_.reset();
    if (slaveKeeper_ >= 0) {
        ::close(slaveKeeper_);
        slaveKeeper_ = -1;
    }
    if (master_ >= 0) {
        ::close(master_);
        master_ = -1;
    }
}

void PtyDevice::ReadMaster() {
    char buffer[4096];
    for (;;) {
        const ssize_t count = ::read(master_, buffer, sizeof buffer);
        if (count <= 0) {
            return;
        }
        writer_.Enqueue(device_.Receive(
            std::span(reinterpret_cast<const uint8_t*>(buffer), static_cast<size_t>(count))));
        emit BytesReceived(QByteArray(buffer, static_cast<qsizetype>(count)));
    }
}

void PtyDevice::WriteMaster(const QByteArray& bytes) {
    qsizetype written = 0;
    while (master_ >= 0 && written < bytes.size()) {
        const ssize_t count = ::write(master_, bytes.constData() + written,
                                      static_cast<size_t>(bytes.size() - written));
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            // The tty buffer is full (nobody reads) or gone: the bytes are lost,
            // as they would be on a real line.
            return;
        }
        written += count;
    }
}

}  // namespace devsim
