// SPDX-License-Identifier: GPL-3.0-or-later
// Reports the removal of hidraw devices on the thread that owns the watcher
// (the user-interface thread), through a udev monitor read from the event
// loop. Arrivals are not reported: the editor never connects by itself.
// Only removals are passed on; deciding whether one concerns the open device
// is the USB link's job.
#pragma once

#include <QObject>
#include <QString>

class QSocketNotifier;
struct udev;
struct udev_monitor;

class HidRemovalWatcher final : public QObject {
    Q_OBJECT
  public:
    explicit HidRemovalWatcher(QObject* parent = nullptr);
    ~HidRemovalWatcher() override;

    // False when udev is not available (no /run/udev, for example in a container);
    // the editor then learns of a removal through the link's own failure path.
    bool IsWatching() const { return notifier_ != nullptr; }

  signals:
    // `devicePath` is the device node, as hidraw paths are opened (/dev/hidrawN).
    void DeviceRemoved(const QString& devicePath);

  private:
    void ReadMonitor();

    udev* udev_ = nullptr;
    udev_monitor* monitor_ = nullptr;
    QSocketNotifier* notifier_ = nullptr;
};
