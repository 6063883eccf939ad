// SPDX-License-Identifier: GPL-3.0-or-later
// The --link option: which link the client opens and where it points,
// written as "tcp:HOST:PORT", "serial:PATH" or "usb".
//
// The constraint: there is no default. The client connects only where the
// user points it, so a missing or malformed address is an error, never a
// fallback to the device's factory address.
#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "links/LinkKind.h"

namespace cli {

struct LinkAddress {
    LinkKind kind = LinkKind::None;
    std::string host;        // tcp
    int port = 0;            // tcp
    std::string serialPath;  // serial
};

// The address, or the one-line reason it cannot be used.
std::variant<LinkAddress, std::string> ParseLinkAddress(std::string_view text);

std::string DescribeLinkAddress(const LinkAddress& address);

}  // namespace cli
