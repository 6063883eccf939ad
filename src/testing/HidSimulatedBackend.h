// SPDX-License-Identifier: GPL-3.0-or-later
// An in-memory HID bus for tests and demos. A simulated device hands the data
// bytes of every output report to its logic (normally the device simulator)
// and returns each reply as 65-byte input reports, zero-padded like the real
// device, every reply starting in a fresh report. Reply faults belong to the
// logic; the bus itself only fails opens, reads and writes on request.
// The USB worker reads from its own thread while a test inspects the device,
// so every member is guarded by one mutex.
#pragma once

#include <array>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>

#include "links/HidDevice.h"

// What sits behind the simulated HID interface.
class HidDeviceLogic {
  public:
    virtual ~HidDeviceLogic() = default;
    // Takes request bytes in any pieces (padding included) and returns the
    // replies they complete, each a whole frame.
    virtual std::vector<std::vector<uint8_t>> Receive(std::span<const uint8_t> bytes) = 0;
    // A fresh handle starts with no half-received request.
    virtual void ResetReceiver() = 0;
};

class HidSimulatedDevice {
  public:
    using Report = std::array<uint8_t, kHidReportSize>;

    HidSimulatedDevice(HidDeviceInfo info, std::shared_ptr<HidDeviceLogic> logic);

    const HidDeviceInfo& Info() const { return info_; }

    // Transport faults.
    void FailNextReads(int count);
    // The next `count` reads deliver only the first `size` bytes of their report.
    void ShortenNextReads(int count, size_t size);
    void FailNextOpens(int count);
    void SetPluggedIn(bool pluggedIn);  // unplugged: opens, reads and writes fail
    // While stalled the device takes no output report: a write waits out its
    // time-out and fails. A hung driver ignores even the time-out and holds
    // the writer until released.
    void StallWrites(bool stalled);
    void HangWrites(bool hung);

    // Observations.
    std::vector<Report> WrittenReports() const;
    int OpenCount() const;
    void ClearWrittenReports();

    // Used by the simulated connection.
    bool TryOpen();
    bool AcceptReport(std::span<const uint8_t> report, std::chrono::milliseconds timeout);
    HidReadResult ReadReport(std::span<uint8_t> report, std::chrono::milliseconds timeout);

  private:
    const HidDeviceInfo info_;
    const std::shared_ptr<HidDeviceLogic> logic_;
    mutable std::mutex mutex_;
    std::condition_variable inputArrived_;
    std::condition_variable writesReleased_;
    bool writesStalled_ = false;
    bool writesHung_ = false;
    std::deque<Report> pendingInput_;
    std::vector<Report> writtenReports_;
    int readsToFail_ = 0;
    int readsToShorten_ = 0;
    size_t shortenedSize_ = kHidReportSize;
    int opensToFail_ = 0;
    int openCount_ = 0;
    bool pluggedIn_ = true;
};

class HidSimulatedBackend final : public HidBackend {
  public:
    // The caller may keep its own pointer to inspect the device while a link
    // holds a connection to it.
    void Attach(std::shared_ptr<HidSimulatedDevice> device);
    void Detach(const std::string& path);

    std::vector<HidDeviceInfo> Enumerate() override;
    std::unique_ptr<HidConnection> Open(const std::string& path) override;

  private:
    mutable std::mutex mutex_;
    std::vector<std::shared_ptr<HidSimulatedDevice>> devices_;
};
