// SPDX-License-Identifier: GPL-3.0-or-later
// The failure texts the links and the connection manager show, in both
// languages of the interface.
#pragma once

#include "curves/BilingualText.h"
#include "links/LinkKind.h"

namespace LinkMessage {
inline constexpr BilingualText kSerialPortOpenFailed{"Unable to open COM-port!", "不能打开串口!"};
inline constexpr BilingualText kComLinkFailed{"Unable to Open Com Link!", "不能打开 Com 连接!"};
inline constexpr BilingualText kUsbLinkFailed{"Unable to Open USB Link!", "不能打开 USB 连接!"};
inline constexpr BilingualText kNetworkLinkFailed{"Unable to Open Network Link!",
                                                  "不能打开 网络 连接!"};
}  // namespace LinkMessage

// The manager's failure message for a link type.
inline constexpr BilingualText LinkFailureMessage(LinkKind kind) {
    switch (kind) {
        case LinkKind::Usb:
            return LinkMessage::kUsbLinkFailed;
        case LinkKind::Network:
            return LinkMessage::kNetworkLinkFailed;
        default:
            return LinkMessage::kComLinkFailed;
    }
}
