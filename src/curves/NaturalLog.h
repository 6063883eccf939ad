// SPDX-License-Identifier: GPL-3.0-or-later
// The natural logarithm written so that a loop over many points compiles to
// vector instructions: only arithmetic, bit moves and one division, no call
// and no branch. A recalculation takes one logarithm per grid point, and the
// library's scalar call was most of its cost.
//
// The method is the classic one (argument reduction to a mantissa near 1 and
// a minimax polynomial in s = f / (2 + f)); it is within one unit in the last
// place of the library's result and exact at 1. It is only valid for normal
// positive finite arguments: callers keep zero, infinity and NaN apart.
#pragma once

#include <bit>
#include <cstdint>

inline double NaturalLogOfNormal(double x) {
    constexpr double kLn2High = 6.93147180369123816490e-01;
    constexpr double kLn2Low = 1.90821492927058770002e-10;
    constexpr double kLg1 = 6.666666666666735130e-01;
    constexpr double kLg2 = 3.999999999940941908e-01;
    constexpr double kLg3 = 2.857142874366239149e-01;
    constexpr double kLg4 = 2.222219843214978396e-01;
    constexpr double kLg5 = 1.818357216161805012e-01;
    constexpr double kLg6 = 1.531383769920937332e-01;
    constexpr double kLg7 = 1.479819860511658591e-01;
    // Bits of sqrt(2)/2: the mantissa is brought into [sqrt(2)/2, sqrt(2)).
    constexpr uint64_t kReductionOffset = 0x3FE6A09E667F3BCDULL;
    constexpr uint64_t kMantissaMask = 0x000FFFFFFFFFFFFFULL;

    const uint64_t bits = std::bit_cast<uint64_t>(x);
    const uint64_t shifted = bits - kReductionOffset;
    // The exponent from the top 32 bits with a 32-bit arithmetic shift, which
    // vector units have (a 64-bit one they mostly lack).
    const int exponent = static_cast<int32_t>(static_cast<uint32_t>(shifted >> 32)) >> 20;
    const double mantissa = std::bit_cast<double>((shifted & kMantissaMask) + kReductionOffset);

    const double k = exponent;
    const double f = mantissa - 1.0;
    const double halfSquare = 0.5 * f * f;
    const double s = f / (2.0 + f);
    const double z = s * s;
    const double w = z * z;
    const double odd = w * (kLg2 + w * (kLg4 + w * kLg6));
    const double even = z * (kLg1 + w * (kLg3 + w * (kLg5 + w * kLg7)));
    const double r = even + odd;
    return k * kLn2High - ((halfSquare - (s * (halfSquare + r) + k * kLn2Low)) - f);
}
