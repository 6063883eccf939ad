// SPDX-License-Identifier: GPL-3.0-or-later
// The six manual-reset events that drive the USB worker. A raised event stays
// raised until whoever serves it resets it, and a waiter is always handed the
// lowest-numbered raised event, so quit beats suspend beats everything else.
#pragma once

#include <array>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>

enum class UsbEvent {
    Quit = 0,
    Suspend = 1,
    SendNext = 2,
    WriteCompletion = 3,
    StartRead = 4,
    ReadCompletion = 5,
};
inline constexpr size_t kUsbEventCount = 6;

class UsbEventSet {
  public:
    void Raise(UsbEvent event);
    void Reset(UsbEvent event);
    bool IsRaised(UsbEvent event) const;
    // True when quit or suspend is raised: blocking work must give way.
    bool StopRequested() const;
    // Sleeps for `limit` unless quit or suspend is raised first; true when one was.
    bool WaitForStop(std::chrono::milliseconds limit);
    // The lowest raised event, or nothing when none was raised within `limit`.
    std::optional<UsbEvent> WaitLowest(std::chrono::milliseconds limit);

  private:
    std::optional<UsbEvent> LowestRaised() const;

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::array<bool, kUsbEventCount> raised_{};
};
