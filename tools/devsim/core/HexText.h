// SPDX-License-Identifier: GPL-3.0-or-later
// Bytes as the spaced upper-case hex a transcript shows ("5A 5A 5A 00 ..."),
// and back, so a logged frame can be pasted into a fault option or a test.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace devsim {

std::string HexText(std::span<const uint8_t> bytes);
// Accepts pairs of hex digits separated by spaces, commas or nothing.
std::optional<std::vector<uint8_t>> ParseHexText(std::string_view text);

}  // namespace devsim
