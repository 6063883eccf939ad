// SPDX-License-Identifier: GPL-3.0-or-later
#include "links/HidApiBackend.h"

#include <hidapi.h>

#include <condition_variable>
#include <filesystem>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "links/HidRawReport.h"

namespace {

// hid_write has no time-out and blocks for as long as the device does not
// take the report. Writes therefore run on a thread of their own that the
// caller waits for a bounded time; the handle belongs to that thread and is
// closed by it once no write is under way, so a connection given up while a
// write is stuck never closes a handle still in use.
struct HidApiWriter {
    hid_device* device = nullptr;
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<uint8_t> report;
    bool writing = false;  // asked for or under way
    bool written = false;  // the last write took the whole report
    bool closing = false;
};

void RunWriter(const std::shared_ptr<HidApiWriter>& writer) {
    std::unique_lock lock(writer->mutex);
    for (;;) {
        writer->changed.wait(lock, [&] { return writer->writing || writer->closing; });
        if (!writer->writing) {
            break;
        }
        const std::vector<uint8_t> report = writer->report;
        lock.unlock();
        const int count = hid_write(writer->device, report.data(), report.size());
        lock.lock();
        writer->written = count >= 0 && static_cast<size_t>(count) == report.size();
        writer->writing = false;
        writer->changed.notify_all();
    }
    hid_close(writer->device);
}

class HidApiConnection final : public HidConnection {
  public:
    explicit HidApiConnection(hid_device* device)
        : device_(device), writer_(std::make_shared<HidApiWriter>()) {
        writer_->device = device;
        thread_ = std::thread([writer = writer_] { RunWriter(writer); });
    }
    ~HidApiConnection() override {
        bool stuck = false;
        {
            const std::lock_guard lock(writer_->mutex);
            writer_->closing = true;
            stuck = writer_->writing;
        }
        writer_->changed.notify_all();
        if (stuck) {
            thread_.detach();  // it closes the handle when the driver lets go
        } else {
            thread_.join();
        }
    }
    HidApiConnection(const HidApiConnection&) = delete;
    HidApiConnection& operator=(const HidApiConnection&) = delete;

    bool WriteReport(std::span<const uint8_t> report, std::chrono::milliseconds timeout) override {
        std::unique_lock lock(writer_->mutex);
        // An earlier write that timed out is still stuck in the driver.
        if (writer_->writing) {
            return false;
        }
        writer_->report.assign(report.begin(), report.end());
        writer_->writing = true;
        writer_->changed.notify_all();
        if (!writer_->changed.wait_for(lock, timeout, [&] { return !writer_->writing; })) {
            return false;
        }
        return writer_->written;
    }

    HidReadResult ReadReport(std::span<uint8_t> report,
                             std::chrono::milliseconds timeout) override {
        const int milliseconds = HidTimeoutMilliseconds(timeout);
        return ReadUnnumberedReport(report, [&](uint8_t* data, size_t capacity) {
            return hid_read_timeout(device_, data, capacity, milliseconds);
        });
    }

  private:
    hid_device* device_;
    std::shared_ptr<HidApiWriter> writer_;
    std::thread thread_;
};

}  // namespace

namespace {
// hid_init and hid_exit act on process-wide state; only the last backend may exit.
std::mutex gLibraryMutex;
int gLibraryUsers = 0;
}  // namespace

HidApiBackend::HidApiBackend() {
    const std::lock_guard lock(gLibraryMutex);
    if (gLibraryUsers++ == 0) {
        hid_init();
    }
}

int HidApiBackend::LibraryUsers() {
    const std::lock_guard lock(gLibraryMutex);
    return gLibraryUsers;
}

HidApiBackend::~HidApiBackend() {
    const std::lock_guard lock(gLibraryMutex);
    if (--gLibraryUsers == 0) {
        hid_exit();
    }
}

std::vector<HidDeviceInfo> HidApiBackend::Enumerate() {
    std::vector<HidDeviceInfo> devices;
    hid_device_info* list = hid_enumerate(0, 0);
    for (const hid_device_info* item = list; item != nullptr; item = item->next) {
        if (item->path == nullptr) {
            continue;
        }
        devices.push_back({item->path, item->vendor_id, item->product_id, item->release_number});
    }
    hid_free_enumeration(list);
    return devices;
}

std::unique_ptr<HidConnection> HidApiBackend::Open(const std::string& path) {
#ifdef __linux__
    // The hidraw backend frees garbage when the path opens but is not a hidraw
    // node (a terminal, say), so only hidraw nodes are handed to it.
    if (std::filesystem::path(path).filename().string().rfind("hidraw", 0) != 0) {
        return nullptr;
    }
#endif
    hid_device* device = hid_open_path(path.c_str());
    if (device == nullptr) {
        return nullptr;
    }
    return std::make_unique<HidApiConnection>(device);
}
