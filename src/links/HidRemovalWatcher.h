// SPDX-License-Identifier: GPL-3.0-or-later
// Reports the removal of HID devices on the thread that owns the watcher
// (the user-interface thread). On Linux a udev monitor read from the event
// loop reports hidraw nodes as they go (platform/HidRemovalWatcherUdev.cpp);
// elsewhere the HID interfaces are listed once a second and a path that is
// no longer listed is reported (platform/HidRemovalWatcherPolling.cpp).
// Arrivals are not reported: the editor never connects by itself. Deciding
// whether a removal concerns the open device is the USB link's job.
#pragma once

#include <QObject>
#include <QString>
#include <memory>

class HidRemovalWatcher final : public QObject {
    Q_OBJECT
  public:
    explicit HidRemovalWatcher(QObject* parent = nullptr);
    ~HidRemovalWatcher() override;

    // False when the platform's notices are not available (on Linux: no
    // /run/udev, for example in a container); the editor then learns of a
    // removal through the link's own failure path.
    bool IsWatching() const;

  signals:
    // `devicePath` is the device node, as hidraw paths are opened (/dev/hidrawN).
    void DeviceRemoved(const QString& devicePath);

  private:
    struct Platform;
    std::unique_ptr<Platform> platform_;
};
