// SPDX-License-Identifier: GPL-3.0-or-later
// Platforms without udev: the HID interfaces are listed once a second, and a
// path listed before but not now is reported as removed.
#include <hidapi.h>

#include <QSet>
#include <QTimer>

#include "links/HidRemovalWatcher.h"

namespace {
constexpr int kListingIntervalMs = 1000;

QSet<QString> ListedPaths() {
    QSet<QString> paths;
    hid_device_info* list = hid_enumerate(0, 0);
    for (const hid_device_info* item = list; item != nullptr; item = item->next) {
        if (item->path != nullptr) {
            paths.insert(QString::fromUtf8(item->path));
        }
    }
    hid_free_enumeration(list);
    return paths;
}
}  // namespace

struct HidRemovalWatcher::Platform {
    QTimer timer;
    QSet<QString> listed;
};

HidRemovalWatcher::HidRemovalWatcher(QObject* parent)
    : QObject(parent), platform_(std::make_unique<Platform>()) {
    platform_->listed = ListedPaths();
    platform_->timer.setInterval(kListingIntervalMs);
    connect(&platform_->timer, &QTimer::timeout, this, [this] {
        const QSet<QString> now = ListedPaths();
        for (const QString& path : platform_->listed) {
            if (!now.contains(path)) {
                emit DeviceRemoved(path);
            }
        }
        platform_->listed = now;
    });
    platform_->timer.start();
}

HidRemovalWatcher::~HidRemovalWatcher() = default;

bool HidRemovalWatcher::IsWatching() const {
    return platform_->timer.isActive();
}
