// SPDX-License-Identifier: GPL-3.0-or-later
// Linux: removals of hidraw nodes from a udev monitor.
#include <libudev.h>

#include <QSocketNotifier>
#include <cstring>

#include "links/HidRemovalWatcher.h"

struct HidRemovalWatcher::Platform {
    udev* context = nullptr;
    udev_monitor* monitor = nullptr;
    std::unique_ptr<QSocketNotifier> notifier;

    ~Platform() {
        notifier.reset();
        if (monitor != nullptr) {
            udev_monitor_unref(monitor);
        }
        if (context != nullptr) {
            udev_unref(context);
        }
    }
};

HidRemovalWatcher::HidRemovalWatcher(QObject* parent)
    : QObject(parent), platform_(std::make_unique<Platform>()) {
    Platform& p = *platform_;
    p.context = udev_new();
    if (p.context == nullptr) {
        return;
    }
    p.monitor = udev_monitor_new_from_netlink(p.context, "udev");
    if (p.monitor == nullptr ||
        udev_monitor_filter_add_match_subsystem_devtype(p.monitor, "hidraw", nullptr) < 0 ||
        udev_monitor_enable_receiving(p.monitor) < 0) {
        return;
    }
    const int descriptor = udev_monitor_get_fd(p.monitor);
    if (descriptor < 0) {
        return;
    }
    p.notifier = std::make_unique<QSocketNotifier>(descriptor, QSocketNotifier::Read);
    connect(p.notifier.get(), &QSocketNotifier::activated, this, [this] {
        // The socket is non-blocking, so draining it stops at the first empty read.
        while (udev_device* device = udev_monitor_receive_device(platform_->monitor)) {
            const char* action = udev_device_get_action(device);
            const char* node = udev_device_get_devnode(device);
            if (action != nullptr && node != nullptr && std::strcmp(action, "remove") == 0) {
                emit DeviceRemoved(QString::fromLocal8Bit(node));
            }
            udev_device_unref(device);
        }
    });
}

HidRemovalWatcher::~HidRemovalWatcher() = default;

bool HidRemovalWatcher::IsWatching() const {
    return platform_->notifier != nullptr;
}
