// SPDX-License-Identifier: GPL-3.0-or-later
// Colours of channel curves and band markers, kept as plain bytes so the model
// needs no GUI toolkit. The graph converts them when it paints.
#pragma once

#include <cstdint>

struct Colour {
    uint8_t alpha = 255;
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    friend bool operator==(const Colour&, const Colour&) = default;
};

constexpr Colour OpaqueColour(uint8_t red, uint8_t green, uint8_t blue) {
    return Colour{255, red, green, blue};
}
