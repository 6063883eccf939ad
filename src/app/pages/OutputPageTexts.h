// SPDX-License-Identifier: GPL-3.0-or-later
// The texts of the output page's equaliser and crossover controls, in both
// languages of the interface. The drop-downs list their texts in the order
// of the codes they stand for, so a text's place is its code.
#pragma once

#include <array>

#include "curves/BilingualText.h"

namespace OutputPageText {
inline constexpr BilingualText kAllBypass{"All Bypass", "总旁路"};
inline constexpr BilingualText kHighPass{"High Pass", "高通"};
inline constexpr BilingualText kLowPass{"Low Pass", "低通"};
// By family code: Linkwitz-Riley, Bessel, Butterworth.
inline constexpr std::array<BilingualText, 3> kFamilies{{
    {"Lin_Ril", "宁克"},
    {"Bessel", "贝赛尔"},
    {"ButterW", "巴特沃斯"},
}};
// By slope index.
inline constexpr std::array<const char*, 4> kCrossoverSlopes{"12dB/Oct", "18dB/Oct", "24dB/Oct",
                                                             "48dB/Oct"};
}  // namespace OutputPageText
