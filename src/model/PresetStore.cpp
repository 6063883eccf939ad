// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/PresetStore.h"

#include <algorithm>

#include "model/GbkText.h"

std::string_view TrimSpaces(std::string_view text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    const size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

void PresetStore::StoreNameReply(int slot, std::span<const uint8_t> payload) {
    if (!IsValidSlot(slot)) {
        return;
    }
    ProgramName& name = names_[slot];
    name.fill(0);
    std::copy_n(payload.begin(), std::min(payload.size(), kProgramNameSize), name.begin());
}

void PresetStore::SetName(int slot, std::string_view gbk) {
    if (!IsValidSlot(slot)) {
        return;
    }
    const std::string_view kept = gbk.substr(0, WholeGbkPrefixLength(gbk, kProgramNameTextLimit));
    ProgramName& name = names_[slot];
    name.fill(0);
    std::transform(kept.begin(), kept.end(), name.begin(),
                   [](char c) { return static_cast<uint8_t>(c); });
}

std::string PresetStore::Name(int slot) const {
    if (!IsValidSlot(slot)) {
        return {};
    }
    const ProgramName& name = names_[slot];
    // The sixteenth byte is looked at only to see whether the fifteenth starts a character.
    const auto end = std::find(name.begin(), name.end(), uint8_t{0});
    const std::string text(name.begin(), end);
    return std::string(TrimSpaces(
        std::string_view(text).substr(0, WholeGbkPrefixLength(text, kProgramNameTextLimit))));
}

ProgramName PresetStore::NameBytes(int slot) const {
    if (!IsValidSlot(slot)) {
        return {};
    }
    return names_[slot];
}
