// SPDX-License-Identifier: GPL-3.0-or-later
#include "links/HidRemovalWatcher.h"

#include <libudev.h>

#include <QSocketNotifier>
#include <cstring>

HidRemovalWatcher::HidRemovalWatcher(QObject* parent) : QObject(parent) {
    udev_ = udev_new();
    if (udev_ == nullptr) {
        return;
    }
    monitor_ = udev_monitor_new_from_netlink(udev_, "udev");
    if (monitor_ == nullptr ||
        udev_monitor_filter_add_match_subsystem_devtype(monitor_, "hidraw", nullptr) < 0 ||
        udev_monitor_enable_receiving(monitor_) < 0) {
        return;
    }
    const int descriptor = udev_monitor_get_fd(monitor_);
    if (descriptor < 0) {
        return;
    }
    notifier_ = new QSocketNotifier(descriptor, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &HidRemovalWatcher::ReadMonitor);
}

HidRemovalWatcher::~HidRemovalWatcher() {
    delete notifier_;
    if (monitor_ != nullptr) {
        udev_monitor_unref(monitor_);
    }
    if (udev_ != nullptr) {
        udev_unref(udev_);
    }
}

void HidRemovalWatcher::ReadMonitor() {
    // The socket is non-blocking, so draining it stops at the first empty read.
    while (udev_device* device = udev_monitor_receive_device(monitor_)) {
        const char* action = udev_device_get_action(device);
        const char* node = udev_device_get_devnode(device);
        if (action != nullptr && node != nullptr && std::strcmp(action, "remove") == 0) {
            emit DeviceRemoved(QString::fromLocal8Bit(node));
        }
        udev_device_unref(device);
    }
}
