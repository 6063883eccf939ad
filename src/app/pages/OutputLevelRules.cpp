// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/OutputLevelRules.h"

#include <array>

#include "curves/TypedNumber.h"

namespace {
struct ReleaseMultiple {
    const char* text;  // as the box shows it, "4X"
    int factor;
};

constexpr std::array<ReleaseMultiple, kMaxReleaseCode + 1> kReleaseMultiples{{
    {"2X", 2},
    {"4X", 4},
    {"6X", 6},
    {"8X", 8},
    {"16X", 16},
    {"32X", 32},
}};

// Attack codes up to this one are tenths of a millisecond, above it whole milliseconds.
constexpr int32_t kLastFractionalAttackCode = 6;
}  // namespace

DelayUnit NextDelayUnit(DelayUnit unit) {
    switch (unit) {
        case DelayUnit::Milliseconds:
            return DelayUnit::Metres;
        case DelayUnit::Metres:
            return DelayUnit::Feet;
        case DelayUnit::Feet:
            break;
    }
    return DelayUnit::Milliseconds;
}

int32_t DelayScaleType(DelayUnit unit) {
    switch (unit) {
        case DelayUnit::Metres:
            return ScaleType::kDelayMetres;
        case DelayUnit::Feet:
            return ScaleType::kDelayFeet;
        case DelayUnit::Milliseconds:
            break;
    }
    return ScaleType::kDelayMilliseconds;
}

std::string LimiterAttackText(int32_t attackCode) {
    const ScaleParameters attackScale{ScaleType::kLimiterAttack, 0, kMaxAttackCode, 0.0, 0.0};
    return FormatCode(attackScale, attackCode).value_or(std::string());
}

std::string LimiterReleaseText(int32_t attackCode, int32_t releaseCode) {
    // A code outside the table is named as it is held: a box showing nothing
    // would name no value at all.
    if (releaseCode < 0 || releaseCode > kMaxReleaseCode) {
        return std::to_string(releaseCode);
    }
    const ReleaseMultiple& multiple = kReleaseMultiples.at(static_cast<size_t>(releaseCode));
    // The multiple is still known when the attack time is not.
    if (attackCode < 0 || attackCode > kMaxAttackCode) {
        return multiple.text;
    }
    const std::string attackText = LimiterAttackText(attackCode);
    // Read back from the text, as the user sees it, so both boxes agree.
    const std::string product =
        attackCode > kLastFractionalAttackCode
            ? std::to_string(int64_t{LeadingInteger(attackText)} * multiple.factor)
            : FormatFixed(LeadingDecimal(attackText) * multiple.factor, 1);
    return std::string(multiple.text) + "(" + product + "ms)";
}
