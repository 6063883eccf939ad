// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ChannelName.h"

#include <algorithm>

void ChannelName::Set(std::string_view text) {
    bytes_.fill(0);
    const size_t count = std::min(text.size(), kSize);
    std::copy_n(text.begin(), count, bytes_.begin());
}

std::string ChannelName::Get() const {
    const auto end = std::find(bytes_.begin(), bytes_.end(), uint8_t{0});
    return std::string(bytes_.begin(), end);
}

void ChannelName::CopyTo(std::span<uint8_t, kSize> out) const {
    std::copy(bytes_.begin(), bytes_.end(), out.begin());
}

void ChannelName::LoadFrom(std::span<const uint8_t, kSize> in) {
    std::copy(in.begin(), in.end(), bytes_.begin());
}
