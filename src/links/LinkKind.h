// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The three ways to reach the device; the numbers are the link type codes
// used throughout the editor.
enum class LinkKind { None = 0, Serial = 1, Usb = 2, Network = 3 };
