// SPDX-License-Identifier: GPL-3.0-or-later
// A link written on a command line: "tcp:HOST:PORT", "serial:PATH" or "usb".
// The editor's --connect and the command-line client's --link both read it.
//
// The constraint: there is no default. A missing or malformed address is an
// error, never a fallback to the device's factory address.
#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "links/LinkKind.h"

struct LinkAddress {
    LinkKind kind = LinkKind::None;
    std::string host;        // tcp
    int port = 0;            // tcp
    std::string serialPath;  // serial
};

// The address, or the one-line reason it cannot be used, naming `option`.
std::variant<LinkAddress, std::string> ParseLinkAddress(std::string_view text,
                                                        std::string_view option = "--link");

std::string DescribeLinkAddress(const LinkAddress& address);

struct ConnectionSettings;
// Points `settings` at `address`: its link kind and the fields that kind uses.
void ApplyLinkAddress(const LinkAddress& address, ConnectionSettings& settings);
