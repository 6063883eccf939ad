// SPDX-License-Identifier: GPL-3.0-or-later
// The failure texts the links and the connection manager show, in both
// languages of the interface.
#pragma once

#include "curves/BilingualText.h"
#include "links/LinkKind.h"

namespace LinkMessage {
inline constexpr BilingualText kSerialPortOpenFailed{"Unable to open COM-port!", "不能打开串口!"};
// The port exists but this user may not open it: on Linux the group that
// owns USB-to-serial ports (dialout on Debian).
inline constexpr BilingualText kSerialPortNotPermitted{
    "Unable to open COM-port!\n\nThis user may not open the port. Add the user to the group that "
    "owns it (dialout on Debian): sudo usermod -aG dialout \"$USER\", then log out and in again. "
    "See \"USB and serial permissions (Linux)\" in the README and Troubleshooting in the help.",
    "不能打开串口!\n\n当前用户无权打开该串口。请把用户加入拥有它的用户组（Debian 上为 dialout）："
    "sudo usermod -aG dialout \"$USER\"，然后注销并重新登录。"
    "参见 README 中的 \"USB and serial permissions (Linux)\" 一节和帮助中的故障排除。"};
inline constexpr BilingualText kComLinkFailed{"Unable to Open Com Link!", "不能打开 Com 连接!"};
inline constexpr BilingualText kUsbLinkFailed{"Unable to Open USB Link!", "不能打开 USB 连接!"};
inline constexpr BilingualText kNetworkLinkFailed{"Unable to Open Network Link!",
                                                  "不能打开 网络 连接!"};
// A link that was up and went away, as against one that would not open.
inline constexpr BilingualText kComLinkLost{"Com link lost: the serial port is gone.",
                                            "Com 连接已断开:串口已不存在!"};
inline constexpr BilingualText kUsbLinkLost{"USB link lost: the processor was unplugged.",
                                            "USB 连接已断开:处理器已被拔出!"};
inline constexpr BilingualText kNetworkLinkLost{
    "Network link lost: the processor closed the connection. The editor keeps trying to "
    "reconnect.",
    "网络连接已断开:处理器关闭了连接。编辑器将继续尝试重新连接。"};
// The device is listed but cannot be opened: on Linux nearly always the
// permissions of its hidraw node, which the udev rule grants.
inline constexpr BilingualText kUsbDeviceNotOpenable{
    "Unable to Open USB Link!\n\nThe processor is plugged in, but this user may not open it. "
    "Install the udev rule (packaging/udev/70-sonavel.rules, installed by the package), then "
    "unplug and replug the processor. See \"USB and serial permissions (Linux)\" in the README "
    "and Troubleshooting in the help.",
    "不能打开 USB 连接!\n\n处理器已插好，但当前用户无权打开它。请安装 udev 规则"
    "（packaging/udev/70-sonavel.rules，软件包会自动安装），然后拔下并重新插上处理器。"
    "参见 README 中的 \"USB and serial permissions (Linux)\" 一节和帮助中的故障排除。"};
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
