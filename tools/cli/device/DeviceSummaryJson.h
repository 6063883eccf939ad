// SPDX-License-Identifier: GPL-3.0-or-later
// What `read` prints: the 21 program names (slot 0, the current program, then
// presets 1..20) and the 17 system bytes, as one line of JSON.
//
// The constraint: names are the device's bytes and need not be UTF-8 (a
// Chinese name is GBK); such a name is written byte by byte as \u00XX so the
// line always stays valid JSON and no byte is lost.
#pragma once

#include <string>
#include <string_view>

class PresetStore;
class SystemData;

namespace cli {

std::string JsonString(std::string_view bytes);
std::string DeviceSummaryJson(const PresetStore& presets, const SystemData& system);

}  // namespace cli
