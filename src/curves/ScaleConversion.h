// SPDX-License-Identifier: GPL-3.0-or-later
// The conversions behind every numeric field: a parameter code to the text the
// user sees, typed text to an engineering value, and that value back to a code,
// one formula per scale type. They hold no state; `ValueScale` applies them.
// Codes are what the device stores, so a conversion never lets float noise
// move a code: typing exactly what a field shows always gives back its code.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ScaleType {
inline constexpr int32_t kDelayMilliseconds = 0;
inline constexpr int32_t kDelayMetres = 1;
inline constexpr int32_t kDelayFeet = 2;
inline constexpr int32_t kFrequency = 4;
inline constexpr int32_t kLimiterAttack = 5;
// The page writes the text itself; the field only keeps the code.
inline constexpr int32_t kPlain = 6;
// The crossover fields: 8 stops at 20000 Hz, 9 at the field's maximum code.
inline constexpr int32_t kHighPassFrequency = 8;
inline constexpr int32_t kLowPassFrequency = 9;
inline constexpr int32_t kLinear = 10;
inline constexpr int32_t kQ = 11;
inline constexpr int32_t kPercent = 13;
inline constexpr int32_t kDecibelOffset = 14;
inline constexpr int32_t kTenths = 15;
inline constexpr int32_t kTenthsSeconds = 16;
inline constexpr int32_t kMilliseconds = 17;
inline constexpr int32_t kLinearWhole = 20;
inline constexpr int32_t kLinearDecibels = 21;
}  // namespace ScaleType

// Highest frequency any frequency field accepts, in hertz.
inline constexpr int32_t kTopFrequency = 20000;

// Everything a conversion needs to know about its field.
struct ScaleParameters {
    int32_t scaleType = ScaleType::kDelayMilliseconds;
    int32_t minCode = 0;
    int32_t maxCode = 0;
    double step = 0.0;
    double offset = 0.0;
};

// The engineering values a typed entry may have before it is out of range.
struct ValueRange {
    double lowest = 0.0;
    double highest = 0.0;
};

// The field's text for `code`; no value for the plain scale (and unknown
// types), whose text the page writes.
std::optional<std::string> FormatCode(const ScaleParameters& scale, int32_t code);

// What typed text holds for a field.
struct TypedValue {
    enum class Kind {
        Number,    // `value` is the engineering value typed
        NoNumber,  // a typo, an empty box: the code must stay as it is
        Ignored,   // "OFF" in a frequency field, or any text in a plain field
    };
    Kind kind = Kind::Ignored;
    double value = 0.0;
};

// The engineering value of typed text. A unit after the number is ignored, a
// comma is a decimal point, and frequencies take a "k" for kilohertz; the
// integer scales keep the whole part.
TypedValue ReadTypedValue(const ScaleParameters& scale, std::string_view text);

ValueRange AcceptedRange(const ScaleParameters& scale);

// The code for a value inside the accepted range; no value where the scale
// leaves the code unchanged (the gap between 0.9 and 1 ms of the limiter
// attack, a linear scale without a step).
std::optional<int32_t> ValueToCode(const ScaleParameters& scale, double value);

// The code an out-of-range entry is clamped to, below or above the range.
int32_t CodeAtLowerLimit(const ScaleParameters& scale);
int32_t CodeAtUpperLimit(const ScaleParameters& scale);
