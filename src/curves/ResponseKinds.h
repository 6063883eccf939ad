// SPDX-License-Identifier: GPL-3.0-or-later
// Element kinds (`type`) and crossover families (`family`) as plain numbers,
// the way the model, the files and the wire number them. They live with the
// response maths, the lowest layer, so the model and the maths share one list.
#pragma once

namespace ElementType {
inline constexpr int kPeaking = 0;
inline constexpr int kLowShelf = 1;
inline constexpr int kHighShelf = 2;
inline constexpr int kHighPass = 3;
inline constexpr int kLowPass = 4;
}  // namespace ElementType

namespace FilterFamily {
inline constexpr int kLinkwitzRiley = 0;
inline constexpr int kBessel = 1;
inline constexpr int kButterworth = 2;
}  // namespace FilterFamily
