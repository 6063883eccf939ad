// SPDX-License-Identifier: GPL-3.0-or-later
// The Connect dialog's own texts, in both languages of the interface.
#pragma once

#include "curves/BilingualText.h"

namespace ConnectText {
inline constexpr BilingualText kSerialPort{"Serial port", "串口"};
inline constexpr BilingualText kSerial{"Serial", "串口连接"};
inline constexpr BilingualText kOther{"Other...", "其他..."};
inline constexpr BilingualText kPath{"Path", "路径"};
inline constexpr BilingualText kBridgeMark{"USB-UART bridge", "USB 转串口"};
inline constexpr BilingualText kBadAddress{
    "The IP address must be four numbers from 0 to 255 with dots between them, "
    "such as 192.168.1.20.",
    "IP 地址须为四个 0 到 255 之间的数字，以点隔开，例如 192.168.1.20。"};
inline constexpr BilingualText kBadPort{"The port must be a number from 1 to 65535.",
                                        "端口须为 1 到 65535 之间的数字。"};
inline constexpr BilingualText kNoSerialPort{
    "No serial port is chosen. Pick one from the list, or choose \"Other...\" and type "
    "its path.",
    "未选择串口。请从列表中选择，或选择\"其他...\"并输入其路径。"};
}  // namespace ConnectText
