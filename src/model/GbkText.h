// SPDX-License-Identifier: GPL-3.0-or-later
// Names are GBK bytes on the device, in its replies and in program files, as
// the device's own software writes them; the interface and the command-line
// client work in UTF-8. This is the one place that converts between the two.
//
// The constraint: a character GBK cannot hold is reported, never replaced or
// dropped. A replacement written to the device would overwrite the user's
// name with bytes nobody typed.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

struct GbkEncoding {
    // The GBK bytes of the whole text, or of the part before `refused`.
    std::string bytes;
    // The first character GBK cannot hold, in UTF-8 (a byte that is not
    // UTF-8 at all is given as U+FFFD); empty when every character fits.
    std::string refused;
    // Where `refused` starts in the UTF-8 text.
    size_t refusedAt = 0;

    bool Ok() const { return refused.empty(); }
};

GbkEncoding EncodeGbk(std::string_view utf8);

// The text of GBK bytes; each byte that does not belong to a GBK character
// shows as U+FFFD, so what the user sees never silently drops a byte.
std::string DecodeGbk(std::string_view gbk);

// The bytes `utf8` takes in GBK, counting a character GBK cannot hold as two.
size_t GbkLength(std::string_view utf8);

// The length of the longest start of `gbk` within `limit` bytes that does not
// cut a two-byte character in half.
size_t WholeGbkPrefixLength(std::string_view gbk, size_t limit);
