// SPDX-License-Identifier: GPL-3.0-or-later
#include "links/LinkAddress.h"

#include <charconv>

#include "links/ConnectionSettings.h"

namespace {
constexpr std::string_view kTcpPrefix = "tcp:";
constexpr std::string_view kSerialPrefix = "serial:";
constexpr std::string_view kUsbWord = "usb";
constexpr int kHighestPort = 65535;

std::string Malformed(std::string_view option, std::string_view text) {
    return "bad " + std::string(option) + " '" + std::string(text) +
           "': use tcp:HOST:PORT, serial:PATH or usb";
}
}  // namespace

std::variant<LinkAddress, std::string> ParseLinkAddress(std::string_view text,
                                                        std::string_view option) {
    LinkAddress address;
    if (text == kUsbWord) {
        address.kind = LinkKind::Usb;
        return address;
    }
    if (text.starts_with(kSerialPrefix)) {
        address.kind = LinkKind::Serial;
        address.serialPath = std::string(text.substr(kSerialPrefix.size()));
        if (address.serialPath.empty()) {
            return Malformed(option, text);
        }
        return address;
    }
    if (!text.starts_with(kTcpPrefix)) {
        return Malformed(option, text);
    }
    // The port follows the last colon, so only the host part may contain one.
    const std::string_view rest = text.substr(kTcpPrefix.size());
    const size_t colon = rest.rfind(':');
    if (colon == std::string_view::npos || colon == 0) {
        return Malformed(option, text);
    }
    const std::string_view portText = rest.substr(colon + 1);
    int port = 0;
    const auto [end, error] =
        std::from_chars(portText.data(), portText.data() + portText.size(), port);
    if (portText.empty() || error != std::errc() || end != portText.data() + portText.size() ||
        port < 1 || port > kHighestPort) {
        return Malformed(option, text);
    }
    address.kind = LinkKind::Network;
    address.host = std::string(rest.substr(0, colon));
    address.port = port;
    return address;
}

std::string DescribeLinkAddress(const LinkAddress& address) {
    switch (address.kind) {
        case LinkKind::Network:
            return "tcp:" + address.host + ":" + std::to_string(address.port);
        case LinkKind::Serial:
            return "serial:" + address.serialPath;
        case LinkKind::Usb:
            return "usb";
        default:
            return "none";
    }
}

void ApplyLinkAddress(const LinkAddress& address, ConnectionSettings& settings) {
    settings.linkKind = address.kind;
    switch (address.kind) {
        case LinkKind::Network:
            settings.deviceAddress = address.host;
            settings.tcpPort = address.port;
            break;
        case LinkKind::Serial:
            settings.serialPortName = address.serialPath;
            break;
        default:
            break;
    }
}
