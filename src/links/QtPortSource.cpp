// SPDX-License-Identifier: GPL-3.0-or-later
#include "links/QtPortSource.h"

#include <QSerialPortInfo>

PortListing QtPortSource::List() {
    PortListing listing;
    for (const QSerialPortInfo& port : QSerialPortInfo::availablePorts()) {
        PortInterfaceInfo info;
        info.devicePath = port.systemLocation().toStdString();
        info.portName = port.portName().toStdString();
        const QString description = port.description().isEmpty()
                                        ? QStringLiteral("Communications Port")
                                        : port.description();
        const QString maker = port.manufacturer();
        info.description = description.toStdString();
        info.friendlyName = ((maker.isEmpty() || description.startsWith(maker)
                                  ? description
                                  : maker + QLatin1Char(' ') + description) +
                             QStringLiteral(" (") + port.portName() + QLatin1Char(')'))
                                .toStdString();
        info.hasLocation = port.hasVendorIdentifier();
        listing.ports.push_back(std::move(info));
    }
    return listing;
}
