// SPDX-License-Identifier: GPL-3.0-or-later
// Element kinds and crossover families as plain numbers, the way the model,
// the files and the wire number them; the response maths cannot include the
// model, so the numbering is repeated here and checked against it there.
#pragma once

namespace ResponseKind {
inline constexpr int kPeaking = 0;
inline constexpr int kLowShelf = 1;
inline constexpr int kHighShelf = 2;
inline constexpr int kHighPass = 3;
inline constexpr int kLowPass = 4;
}  // namespace ResponseKind

namespace ResponseFamily {
inline constexpr int kLinkwitzRiley = 0;
inline constexpr int kBessel = 1;
inline constexpr int kButterworth = 2;
}  // namespace ResponseFamily
