// SPDX-License-Identifier: GPL-3.0-or-later
// Bytes as hex text and back. One writer serves the transcripts ("5A 5A 5A 00
// ...", as `sonavel-cli -v` and the simulator log them) and the CLI's image
// line (lower case, no spaces), so a logged frame can be pasted into a fault
// option or a test and read back by the same reader.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

enum class HexCase { Upper, Lower };

// Two digits per byte, `separator` between bytes.
std::string HexText(std::span<const uint8_t> bytes, std::string_view separator = " ",
                    HexCase letters = HexCase::Upper);
// Accepts pairs of hex digits in either case, separated by spaces, commas or
// nothing; a lone digit or any other character gives no result.
std::optional<std::vector<uint8_t>> ParseHexText(std::string_view text);
