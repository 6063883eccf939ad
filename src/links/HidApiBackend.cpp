// SPDX-License-Identifier: GPL-3.0-or-later
#include "links/HidApiBackend.h"

#include <hidapi.h>

#include <filesystem>
#include <mutex>

#include "links/HidRawReport.h"

namespace {

class HidApiConnection final : public HidConnection {
  public:
    explicit HidApiConnection(hid_device* device) : device_(device) {}
    ~HidApiConnection() override { hid_close(device_); }
    HidApiConnection(const HidApiConnection&) = delete;
    HidApiConnection& operator=(const HidApiConnection&) = delete;

    bool WriteReport(std::span<const uint8_t> report) override {
        const int written = hid_write(device_, report.data(), report.size());
        return written >= 0 && static_cast<size_t>(written) == report.size();
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
