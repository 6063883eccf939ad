// SPDX-License-Identifier: GPL-3.0-or-later
// glibc's iconv holds the GBK tables; its "GBK" is the Chinese Windows code
// page 936, 0x80 for the euro sign included.
#include "model/GbkText.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>

namespace {
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
constexpr size_t kBytesPerGbkCharacter = 2;

class Converter {
  public:
    Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
    ~Converter() {
        if (IsOpen()) {
            iconv_close(handle_);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool IsOpen() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

    // Converts as much of `input` as it can, appending to `output`; returns
    // the number of input bytes taken and leaves errno from the stop.
    size_t Convert(std::string_view input, std::string& output) {
        // iconv's interface is not const-correct; it never writes the input.
        char* in = const_cast<char*>(input.data());
        size_t inLeft = input.size();
        char buffer[256];
        while (inLeft > 0) {
            char* out = buffer;
            size_t outLeft = sizeof buffer;
            errno = 0;
            const size_t result = iconv(handle_, &in, &inLeft, &out, &outLeft);
            output.append(buffer, static_cast<size_t>(out - buffer));
            if (result == static_cast<size_t>(-1) && errno != E2BIG) {
                break;
            }
        }
        if (inLeft == 0) {
            errno = 0;
        }
        return input.size() - inLeft;
    }

  private:
    iconv_t handle_;
};

// The length of the UTF-8 character at the start of `text`, or 0 when none starts there.
size_t Utf8CharacterLength(std::string_view text) {
    if (text.empty()) {
        return 0;
    }
    const auto lead = static_cast<uint8_t>(text[0]);
    size_t length = 0;
    if (lead < 0x80) {
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
    } else {
        return 0;
    }
    if (text.size() < length) {
        return 0;
    }
    for (size_t i = 1; i < length; ++i) {
        if ((static_cast<uint8_t>(text[i]) & 0xC0) != 0x80) {
            return 0;
        }
    }
    return length;
}

bool IsGbkLeadByte(uint8_t byte) {
    return byte >= 0x81 && byte <= 0xFE;
}
}  // namespace

GbkEncoding EncodeGbk(std::string_view utf8) {
    GbkEncoding encoding;
    Converter converter("GBK", "UTF-8");
    if (!converter.IsOpen()) {
        // Without the tables nothing beyond ASCII can be stored safely.
        size_t i = 0;
        while (i < utf8.size() && static_cast<uint8_t>(utf8[i]) < 0x80) {
            ++i;
        }
        encoding.bytes = std::string(utf8.substr(0, i));
        if (i < utf8.size()) {
            const size_t length = Utf8CharacterLength(utf8.substr(i));
            encoding.refused = length > 0 ? std::string(utf8.substr(i, length)) : kReplacement;
            encoding.refusedAt = i;
        }
        return encoding;
    }
    const size_t taken = converter.Convert(utf8, encoding.bytes);
    if (taken < utf8.size()) {
        const size_t length = Utf8CharacterLength(utf8.substr(taken));
        encoding.refused =
            length > 0 ? std::string(utf8.substr(taken, length)) : std::string(kReplacement);
        encoding.refusedAt = taken;
    }
    return encoding;
}

std::string DecodeGbk(std::string_view gbk) {
    std::string text;
    Converter converter("UTF-8", "GBK");
    while (!gbk.empty()) {
        const size_t taken = converter.IsOpen() ? converter.Convert(gbk, text) : 0;
        gbk.remove_prefix(taken);
        if (gbk.empty()) {
            break;
        }
        // Stopped on a byte that is no GBK character (or no tables at all):
        // ASCII passes, anything else is shown as a replacement.
        const auto byte = static_cast<uint8_t>(gbk.front());
        if (byte < 0x80) {
            text += static_cast<char>(byte);
        } else {
            text += kReplacement;
        }
        gbk.remove_prefix(1);
    }
    return text;
}

size_t GbkLength(std::string_view utf8) {
    size_t length = 0;
    while (true) {
        const GbkEncoding encoding = EncodeGbk(utf8);
        length += encoding.bytes.size();
        if (encoding.Ok()) {
            return length;
        }
        length += kBytesPerGbkCharacter;
        const size_t skipped = Utf8CharacterLength(utf8.substr(encoding.refusedAt));
        utf8.remove_prefix(encoding.refusedAt + (skipped > 0 ? skipped : 1));
    }
}

size_t WholeGbkPrefixLength(std::string_view gbk, size_t limit) {
    size_t length = 0;
    while (length < gbk.size()) {
        const bool pair =
            IsGbkLeadByte(static_cast<uint8_t>(gbk[length])) && length + 1 < gbk.size();
        const size_t next = length + (pair ? kBytesPerGbkCharacter : 1);
        if (next > limit) {
            break;
        }
        length = next;
    }
    return length;
}
