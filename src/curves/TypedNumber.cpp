// SPDX-License-Identifier: GPL-3.0-or-later
#include "curves/TypedNumber.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace {
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

size_t SkipBlanks(std::string_view text) {
    size_t position = 0;
    while (position < text.size() && IsBlank(text[position])) {
        ++position;
    }
    return position;
}

size_t SkipDigits(std::string_view text, size_t position) {
    while (position < text.size() && IsDigit(text[position])) {
        ++position;
    }
    return position;
}

// Where the number at the start of `text` ends and what it is worth; nothing
// when there is no number. `decimalComma` also takes a comma as the point.
struct ScannedNumber {
    double value = 0.0;
    size_t end = 0;
};

std::optional<ScannedNumber> ScanNumber(std::string_view text, bool decimalComma) {
    size_t position = SkipBlanks(text);
    bool negative = false;
    if (position < text.size() && (text[position] == '+' || text[position] == '-')) {
        negative = text[position] == '-';
        ++position;
    }
    const size_t start = position;
    size_t end = SkipDigits(text, position);
    bool anyDigit = end > start;
    size_t point = std::string_view::npos;
    if (end < text.size() && (text[end] == '.' || (decimalComma && text[end] == ','))) {
        point = end;
        const size_t fractionEnd = SkipDigits(text, end + 1);
        anyDigit = anyDigit || fractionEnd > end + 1;
        end = fractionEnd;
    }
    if (!anyDigit) {
        return std::nullopt;
    }
    // An exponent counts only when digits follow it, as with strtod: "5e" is 5.
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        size_t exponent = end + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) {
            ++exponent;
        }
        const size_t exponentEnd = SkipDigits(text, exponent);
        if (exponentEnd > exponent) {
            end = exponentEnd;
        }
    }
    std::string digits(text.substr(start, end - start));
    if (point != std::string_view::npos) {
        digits[point - start] = '.';
    }
    double value = 0.0;
    std::from_chars(digits.data(), digits.data() + digits.size(), value,
                    std::chars_format::general);
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    return ScannedNumber{negative ? -value : value, end};
}
}  // namespace

double LeadingDecimal(std::string_view text) {
    const std::optional<ScannedNumber> number = ScanNumber(text, false);
    return number ? number->value : 0.0;
}

std::optional<double> TypedDecimal(std::string_view text) {
    const std::optional<ScannedNumber> number = ScanNumber(text, true);
    if (!number) {
        return std::nullopt;
    }
    return number->value;
}

std::optional<double> TypedFrequency(std::string_view text) {
    const std::optional<ScannedNumber> number = ScanNumber(text, true);
    if (!number) {
        return std::nullopt;
    }
    size_t position = number->end;
    while (position < text.size() && IsBlank(text[position])) {
        ++position;
    }
    constexpr double kKilo = 1000.0;
    if (position < text.size() && (text[position] == 'k' || text[position] == 'K')) {
        return number->value * kKilo;
    }
    return number->value;
}

int32_t LeadingInteger(std::string_view text) {
    size_t position = SkipBlanks(text);
    bool negative = false;
    if (position < text.size() && (text[position] == '+' || text[position] == '-')) {
        negative = text[position] == '-';
        ++position;
    }
    int64_t magnitude = 0;
    constexpr int64_t kSaturation = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    for (; position < text.size() && IsDigit(text[position]); ++position) {
        magnitude = std::min(magnitude * 10 + (text[position] - '0'), kSaturation);
    }
    const int64_t value = negative ? -magnitude : magnitude;
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

std::string FormatFixed(double value, int decimals) {
    // Big enough for any double in fixed notation with a few decimals.
    std::array<char, 400> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, decimals);
    std::string text(buffer.data(), result.ptr);
    if (!text.empty() && text.front() == '-' &&
        text.find_first_not_of("0.", 1) == std::string::npos) {
        text.erase(0, 1);
    }
    return text;
}
