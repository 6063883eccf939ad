// SPDX-License-Identifier: GPL-3.0-or-later
// The 8-byte name field of input and output channels. The device record and
// the file both depend on it being exactly eight bytes, zero-padded, with no
// terminator when all eight are used.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

class ChannelName {
  public:
    static constexpr size_t kSize = 8;

    ChannelName() = default;
    explicit ChannelName(std::string_view text) { Set(text); }

    // Keeps the first eight characters and fills the rest with zero bytes.
    void Set(std::string_view text);
    // The characters before the first zero byte, at most eight.
    std::string Get() const;

    void CopyTo(std::span<uint8_t, kSize> out) const;
    void LoadFrom(std::span<const uint8_t, kSize> in);
    const std::array<uint8_t, kSize>& Bytes() const { return bytes_; }

  private:
    std::array<uint8_t, kSize> bytes_{};
};
