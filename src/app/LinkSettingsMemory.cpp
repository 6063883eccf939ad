// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/LinkSettingsMemory.h"

#include <QSettings>

namespace {
const QString kKindKey = QStringLiteral("link/kind");
const QString kAddressKey = QStringLiteral("link/address");
const QString kPortKey = QStringLiteral("link/port");
const QString kSerialKey = QStringLiteral("link/serialPort");
constexpr int kHighestTcpPort = 65535;
}  // namespace

LinkSettingsMemory::LinkSettingsMemory(const QString& path)
    : store_(std::make_unique<QSettings>(path, QSettings::IniFormat)) {}

LinkSettingsMemory::LinkSettingsMemory()
    : store_(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                         QStringLiteral("sonavel"), QStringLiteral("sonavel"))) {}

LinkSettingsMemory::~LinkSettingsMemory() = default;

ConnectionSettings LinkSettingsMemory::Recall(ConnectionSettings start) const {
    bool read = false;
    const int kind = store_->value(kKindKey).toInt(&read);
    if (read &&
        (kind == static_cast<int>(LinkKind::Serial) || kind == static_cast<int>(LinkKind::Usb) ||
         kind == static_cast<int>(LinkKind::Network))) {
        start.linkKind = static_cast<LinkKind>(kind);
    }
    const QString address = store_->value(kAddressKey).toString();
    if (!address.isEmpty()) {
        start.deviceAddress = address.toStdString();
    }
    const int port = store_->value(kPortKey).toInt(&read);
    if (read && port >= 1 && port <= kHighestTcpPort) {
        start.tcpPort = port;
    }
    const QString serial = store_->value(kSerialKey).toString();
    if (!serial.isEmpty()) {
        start.serialPortName = serial.toStdString();
    }
    return start;
}

void LinkSettingsMemory::Remember(const ConnectionSettings& settings) {
    store_->setValue(kKindKey, static_cast<int>(settings.linkKind));
    store_->setValue(kAddressKey, QString::fromStdString(settings.deviceAddress));
    store_->setValue(kPortKey, settings.tcpPort);
    store_->setValue(kSerialKey, QString::fromStdString(settings.serialPortName));
    store_->sync();
}
