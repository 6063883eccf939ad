// SPDX-License-Identifier: GPL-3.0-or-later
// What `read` prints: the 21 program names (slot 0, the current program, then
// presets 1..20) and the 17 system bytes, as one line of JSON.
//
// Names are the device's GBK bytes and are written as the Unicode text they
// stand for; a byte that is no GBK shows as U+FFFD.
//
// The constraint: the line always stays valid JSON, whatever the bytes.
#pragma once

#include <string>
#include <string_view>

class PresetStore;
class SystemData;

namespace cli {

// A JSON string of UTF-8 text; a byte that is no UTF-8 is written as \u00XX.
std::string JsonString(std::string_view bytes);
std::string DeviceSummaryJson(const PresetStore& presets, const SystemData& system);

}  // namespace cli
