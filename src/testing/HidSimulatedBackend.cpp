// SPDX-License-Identifier: GPL-3.0-or-later
#include "testing/HidSimulatedBackend.h"

#include <algorithm>

namespace {

class HidSimulatedConnection final : public HidConnection {
  public:
    explicit HidSimulatedConnection(std::shared_ptr<HidSimulatedDevice> device)
        : device_(std::move(device)) {}

    bool WriteReport(std::span<const uint8_t> report, std::chrono::milliseconds timeout) override {
        return device_->AcceptReport(report, timeout);
    }
    HidReadResult ReadReport(std::span<uint8_t> report,
                             std::chrono::milliseconds timeout) override {
        return device_->ReadReport(report, timeout);
    }

  private:
    std::shared_ptr<HidSimulatedDevice> device_;
};

}  // namespace

HidSimulatedDevice::HidSimulatedDevice(HidDeviceInfo info, std::shared_ptr<HidDeviceLogic> logic)
    : info_(std::move(info)), logic_(std::move(logic)) {}

void HidSimulatedDevice::FailNextReads(int count) {
    const std::lock_guard lock(mutex_);
    readsToFail_ = count;
}

void HidSimulatedDevice::ShortenNextReads(int count, size_t size) {
    const std::lock_guard lock(mutex_);
    readsToShorten_ = count;
    shortenedSize_ = std::min(size, kHidReportSize);
}

void HidSimulatedDevice::FailNextOpens(int count) {
    const std::lock_guard lock(mutex_);
    opensToFail_ = count;
}

void HidSimulatedDevice::SetPluggedIn(bool pluggedIn) {
    {
        const std::lock_guard lock(mutex_);
        pluggedIn_ = pluggedIn;
    }
    inputArrived_.notify_all();
}

std::vector<HidSimulatedDevice::Report> HidSimulatedDevice::WrittenReports() const {
    const std::lock_guard lock(mutex_);
    return writtenReports_;
}

int HidSimulatedDevice::OpenCount() const {
    const std::lock_guard lock(mutex_);
    return openCount_;
}

void HidSimulatedDevice::ClearWrittenReports() {
    const std::lock_guard lock(mutex_);
    writtenReports_.clear();
}

bool HidSimulatedDevice::TryOpen() {
    const std::lock_guard lock(mutex_);
    if (!pluggedIn_) {
        return false;
    }
    if (opensToFail_ > 0) {
        --opensToFail_;
        return false;
    }
    ++openCount_;
    pendingInput_.clear();
    if (logic_) {
        logic_->ResetReceiver();
    }
    return true;
}

void HidSimulatedDevice::StallWrites(bool stalled) {
    {
        const std::lock_guard lock(mutex_);
        writesStalled_ = stalled;
    }
    writesReleased_.notify_all();
}

void HidSimulatedDevice::HangWrites(bool hung) {
    {
        const std::lock_guard lock(mutex_);
        writesHung_ = hung;
    }
    writesReleased_.notify_all();
}

bool HidSimulatedDevice::AcceptReport(std::span<const uint8_t> report,
                                      std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    writesReleased_.wait(lock, [this] { return !writesHung_; });
    if (!writesReleased_.wait_for(lock, timeout, [this] { return !writesStalled_; })) {
        return false;
    }
    if (!pluggedIn_ || report.size() != kHidReportSize) {
        return false;
    }
    Report copy{};
    std::copy(report.begin(), report.end(), copy.begin());
    writtenReports_.push_back(copy);
    if (!logic_) {
        return true;
    }
    for (const std::vector<uint8_t>& reply : logic_->Receive(report.subspan(1))) {
        for (size_t offset = 0; offset < reply.size(); offset += kHidReportDataSize) {
            Report input{};
            const size_t piece = std::min(kHidReportDataSize, reply.size() - offset);
            std::copy_n(reply.begin() + static_cast<std::ptrdiff_t>(offset), piece,
                        input.begin() + 1);
            pendingInput_.push_back(input);
        }
    }
    inputArrived_.notify_all();
    return true;
}

HidReadResult HidSimulatedDevice::ReadReport(std::span<uint8_t> report,
                                             std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    if (readsToFail_ > 0) {
        --readsToFail_;
        return {HidReadResult::Status::Failed, 0};
    }
    inputArrived_.wait_for(lock, timeout, [this] { return !pendingInput_.empty() || !pluggedIn_; });
    if (!pluggedIn_) {
        return {HidReadResult::Status::Failed, 0};
    }
    if (pendingInput_.empty()) {
        return {HidReadResult::Status::TimedOut, 0};
    }
    size_t count = std::min(report.size(), kHidReportSize);
    if (readsToShorten_ > 0) {
        --readsToShorten_;
        count = std::min(count, shortenedSize_);
    }
    std::copy_n(pendingInput_.front().begin(), count, report.begin());
    pendingInput_.pop_front();
    return {HidReadResult::Status::Received, count};
}

void HidSimulatedBackend::Attach(std::shared_ptr<HidSimulatedDevice> device) {
    const std::lock_guard lock(mutex_);
    devices_.push_back(std::move(device));
}

void HidSimulatedBackend::Detach(const std::string& path) {
    const std::lock_guard lock(mutex_);
    std::erase_if(devices_, [&](const auto& device) { return device->Info().path == path; });
}

std::vector<HidDeviceInfo> HidSimulatedBackend::Enumerate() {
    const std::lock_guard lock(mutex_);
    std::vector<HidDeviceInfo> infos;
    for (const auto& device : devices_) {
        infos.push_back(device->Info());
    }
    return infos;
}

std::unique_ptr<HidConnection> HidSimulatedBackend::Open(const std::string& path) {
    std::shared_ptr<HidSimulatedDevice> found;
    {
        const std::lock_guard lock(mutex_);
        for (const auto& device : devices_) {
            if (device->Info().path == path) {
                found = device;
                break;
            }
        }
    }
    if (!found || !found->TryOpen()) {
        return nullptr;
    }
    return std::make_unique<HidSimulatedConnection>(std::move(found));
}
