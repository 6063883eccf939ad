// SPDX-License-Identifier: GPL-3.0-or-later
#include "links/UsbEventSet.h"

void UsbEventSet::Raise(UsbEvent event) {
    {
        const std::lock_guard lock(mutex_);
        raised_[static_cast<size_t>(event)] = true;
    }
    changed_.notify_all();
}

void UsbEventSet::Reset(UsbEvent event) {
    const std::lock_guard lock(mutex_);
    raised_[static_cast<size_t>(event)] = false;
}

bool UsbEventSet::IsRaised(UsbEvent event) const {
    const std::lock_guard lock(mutex_);
    return raised_[static_cast<size_t>(event)];
}

bool UsbEventSet::StopRequested() const {
    const std::lock_guard lock(mutex_);
    return raised_[static_cast<size_t>(UsbEvent::Quit)] ||
           raised_[static_cast<size_t>(UsbEvent::Suspend)];
}

bool UsbEventSet::WaitForStop(std::chrono::milliseconds limit) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, limit, [this] {
        return raised_[static_cast<size_t>(UsbEvent::Quit)] ||
               raised_[static_cast<size_t>(UsbEvent::Suspend)];
    });
}

std::optional<UsbEvent> UsbEventSet::WaitLowest(std::chrono::milliseconds limit) {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, limit, [this] { return LowestRaised().has_value(); });
    return LowestRaised();
}

std::optional<UsbEvent> UsbEventSet::LowestRaised() const {
    for (size_t index = 0; index < kUsbEventCount; ++index) {
        if (raised_[index]) {
            return static_cast<UsbEvent>(index);
        }
    }
    return std::nullopt;
}
