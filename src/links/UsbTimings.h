// SPDX-License-Identifier: GPL-3.0-or-later
// The pauses of the USB link. Reply time-outs come from the protocol engine
// with each message; these are the link's own. Tests shrink all of them, the
// engine's time-outs included, through one divisor, so the product timings are
// written down in one place only.
#pragma once

#include <algorithm>
#include <chrono>

struct UsbTimings {
    using Duration = std::chrono::milliseconds;

    // After each of the six event resets when the link opens or closes.
    Duration eventResetPause{50};
    // After the seventh read failure in a row, before the link tries again.
    Duration readFailurePause{500};
    // Between a refusal (0xAB) and the resend.
    Duration refusalPause{1000};
    // Between checks of an empty queue, so that an idle link polls the device
    // at a steady rate instead of as fast as it answers.
    Duration idlePause{20};
    // Longest single blocking read, so that a stop request is noticed promptly.
    Duration readSlice{50};
    // Longest wait for the device to take one output report; past it the
    // write counts as failed and the link recovers.
    Duration writeTimeout{1000};
    // Longest wait of a disconnect for the worker to stop; longer than any
    // single step of the worker, so it is only reached by a stuck driver.
    Duration stopWait{3000};
    // Applied to every duration above and to the engine's reply time-outs.
    int divisor = 1;

    Duration Scaled(Duration duration) const {
        return std::max(Duration{1}, duration / std::max(1, divisor));
    }
};
