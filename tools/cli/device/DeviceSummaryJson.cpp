// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/DeviceSummaryJson.h"

#include <cstdint>

#include "model/GbkText.h"
#include "model/PresetStore.h"
#include "model/SystemData.h"

namespace cli {
namespace {
// Length of the UTF-8 sequence starting at `i`, or 0 when it is not one.
size_t Utf8SequenceLength(std::string_view text, size_t i) {
    const auto byte = static_cast<uint8_t>(text[i]);
    size_t length = 0;
    if (byte < 0x80) {
        return 1;
    } else if ((byte & 0xE0) == 0xC0 && byte >= 0xC2) {
        length = 2;
    } else if ((byte & 0xF0) == 0xE0) {
        length = 3;
    } else if ((byte & 0xF8) == 0xF0 && byte <= 0xF4) {
        length = 4;
    } else {
        return 0;
    }
    if (i + length > text.size()) {
        return 0;
    }
    for (size_t k = 1; k < length; ++k) {
        if ((static_cast<uint8_t>(text[i + k]) & 0xC0) != 0x80) {
            return 0;
        }
    }
    return length;
}

bool IsUtf8(std::string_view text) {
    for (size_t i = 0; i < text.size();) {
        const size_t length = Utf8SequenceLength(text, i);
        if (length == 0) {
            return false;
        }
        i += length;
    }
    return true;
}

void AppendEscapedByte(std::string& json, uint8_t byte) {
    static constexpr char kDigits[] = "0123456789abcdef";
    json += "\\u00";
    json += kDigits[byte >> 4];
    json += kDigits[byte & 0x0F];
}
}  // namespace

std::string JsonString(std::string_view bytes) {
    const bool keepMultibyte = IsUtf8(bytes);
    std::string json = "\"";
    for (const char c : bytes) {
        const auto byte = static_cast<uint8_t>(c);
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (byte < 0x20 || byte == 0x7F || (byte >= 0x80 && !keepMultibyte)) {
            AppendEscapedByte(json, byte);
        } else {
            json += c;
        }
    }
    json += '"';
    return json;
}

std::string DeviceSummaryJson(const PresetStore& presets, const SystemData& system) {
    std::string json = "{\"names\":[";
    for (int slot = 0; slot < kPresetSlotCount; ++slot) {
        if (slot > 0) {
            json += ',';
        }
        json += JsonString(DecodeGbk(presets.Name(slot)));
    }
    json += "],\"system\":[";
    for (int index = 0; index < kSystemDataSize; ++index) {
        if (index > 0) {
            json += ',';
        }
        json += std::to_string(system.Byte(index));
    }
    json += "]}";
    return json;
}

}  // namespace cli
