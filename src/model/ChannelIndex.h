// SPDX-License-Identifier: GPL-3.0-or-later
// Where each channel sits in the program's containers. The order is also the
// device's channel numbering, so records, rows, pages and tools all name a
// channel through these.
#pragma once

namespace InputChannel {
inline constexpr int kMusicLeft = 0;
inline constexpr int kMusicRight = 1;
inline constexpr int kMicrophone = 2;
inline constexpr int kCount = 3;
}  // namespace InputChannel

// Output kinds, which are also the outputs' places in the program.
namespace OutputKind {
inline constexpr int kMainLeft = 0;
inline constexpr int kMainRight = 1;
inline constexpr int kCentre = 2;
inline constexpr int kSubwoofer = 3;
inline constexpr int kSurroundLeft = 4;
inline constexpr int kSurroundRight = 5;
inline constexpr int kCount = 6;
}  // namespace OutputKind
