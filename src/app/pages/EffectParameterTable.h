// SPDX-License-Identifier: GPL-3.0-or-later
// The fourteen effect parameters the effect page edits, in the page's three
// columns: which byte each control writes, its code range and its scale. The
// noise gate and the effect output level (bytes 5 and 6) are edited
// elsewhere or not at all, so they are not here.
#pragma once

#include <array>
#include <cstdint>

#include "curves/BilingualText.h"

struct EffectParameterControl {
    int column = 0;  // 0 reverb, 1 left echo, 2 right echo
    int param = 0;   // byte of the effect record
    int32_t maximum = 0;
    int32_t scaleType = 0;
    BilingualText label;
};

inline constexpr int kEffectParameterColumns = 3;
inline constexpr int kEffectParameterControls = 14;

extern const std::array<BilingualText, kEffectParameterColumns> kEffectParameterColumnHeadings;
extern const std::array<EffectParameterControl, kEffectParameterControls>
    kEffectParameterControlTable;
