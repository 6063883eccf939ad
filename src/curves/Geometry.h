// SPDX-License-Identifier: GPL-3.0-or-later
// Plain pixel geometry shared by the response maths, the model and the graph,
// so that none of them needs a GUI toolkit's types.
#pragma once

#include <cstdint>

struct PixelPoint {
    int32_t x = 0;
    int32_t y = 0;
    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

struct PixelPointF {
    float x = 0;
    float y = 0;
    friend bool operator==(const PixelPointF&, const PixelPointF&) = default;
};

struct PixelRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};
