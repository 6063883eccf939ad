// SPDX-License-Identifier: GPL-3.0-or-later
// A bare pseudo-terminal for serial tests: the test plays the far end on the
// master while the code under test opens the slave path as its serial port.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

class PseudoTerminal {
  public:
    PseudoTerminal() {
        master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
            return;
        }
        slavePath_ = ptsname(master_);
        // Held open and raw so nothing is echoed before the port is set up.
        keeper_ = ::open(slavePath_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        termios raw{};
        if (keeper_ >= 0 && tcgetattr(keeper_, &raw) == 0) {
            cfmakeraw(&raw);
            tcsetattr(keeper_, TCSANOW, &raw);
        }
    }
    ~PseudoTerminal() {
        if (keeper_ >= 0) {
            ::close(keeper_);
        }
        if (master_ >= 0) {
            ::close(master_);
        }
    }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    bool IsOpen() const { return keeper_ >= 0; }
    const std::string& SlavePath() const { return slavePath_; }

    void Send(const std::vector<uint8_t>& bytes) {
        [[maybe_unused]] const ssize_t written = ::write(master_, bytes.data(), bytes.size());
    }

    // Whatever the port has written, waiting at most `timeoutMs` for the first byte.
    std::vector<uint8_t> Receive(int timeoutMs = 500) {
        std::vector<uint8_t> bytes;
        pollfd fds = {master_, POLLIN, 0};
        if (::poll(&fds, 1, timeoutMs) <= 0) {
            return bytes;
        }
        uint8_t buffer[4096];
        for (;;) {
            const ssize_t count = ::read(master_, buffer, sizeof buffer);
            if (count <= 0) {
                break;
            }
            bytes.insert(bytes.end(), buffer, buffer + count);
            if (::poll(&fds, 1, 20) <= 0) {
                break;
            }
        }
        return bytes;
    }

  private:
    int master_ = -1;
    int keeper_ = -1;
    std::string slavePath_;
};
