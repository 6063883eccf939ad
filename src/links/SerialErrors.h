// SPDX-License-Identifier: GPL-3.0-or-later
// Result codes of the serial port family. The family's own conditions keep the
// numbers the editor has always used; a failed system call carries its errno.
//
// The constraint: 0 is success and every other value is a failure, so callers
// only ever compare against kSerialSuccess.
#pragma once

inline constexpr long kSerialSuccess = 0;
// The port is already open.
inline constexpr long kSerialAlreadyOpen = 1247;
// The operation needs an open port.
inline constexpr long kSerialInvalidHandle = 6;
// A read or write ran out of time.
inline constexpr long kSerialTimeout = 1460;
// A handshaking or read time-out mode the family does not know.
inline constexpr long kSerialInvalidArgument = 0x80070057L;
