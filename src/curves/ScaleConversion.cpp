// SPDX-License-Identifier: GPL-3.0-or-later
#include "curves/ScaleConversion.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "curves/BandwidthTable.h"
#include "curves/TypedNumber.h"

namespace {
// Delay codes step 0.021 ms up to the last fine code, then whole milliseconds.
constexpr double kDelayFineStep = 0.021;
constexpr int32_t kLastFineDelayCode = 476;
constexpr double kLastFineDelay = 9.996;
// The distance scales start their whole-millisecond steps one code earlier.
constexpr int32_t kLastFineDistanceCode = 475;
constexpr double kLastFineDistanceDelay = 9.975;
constexpr double kMetresPerMillisecond = 0.34;
constexpr double kFeetPerMetre = 3.281;
constexpr double kFeetPerMillisecond = 1.11554;
// Between the last fine delay and 10 ms the typed value is spread over this width.
constexpr double kDelayBridgeWidth = 0.084;

constexpr int32_t kAttackFineCodes = 6;
constexpr double kAttackFineStart = 0.3;
constexpr double kAttackFineEnd = 0.9;
constexpr double kAttackCoarseStart = 1.0;
constexpr double kAttackCoarseEnd = 106.0;

constexpr int32_t kDecibelOffsetZero = 100;
constexpr double kLowestQ = 0.404;
constexpr double kHighestQ = 144.3;

// Typed values and printed values carry binary rounding noise of a few ulps;
// this keeps "0.6" from truncating to 5.999... tenths.
constexpr double kTruncationTolerance = 1e-9;

int32_t SaturatedCode(double value) {
    constexpr double kLowest = std::numeric_limits<int32_t>::min();
    constexpr double kHighest = std::numeric_limits<int32_t>::max();
    if (!(value >= kLowest)) {
        return std::numeric_limits<int32_t>::min();
    }
    if (value > kHighest) {
        return std::numeric_limits<int32_t>::max();
    }
    return static_cast<int32_t>(value);
}

// Truncation toward zero that forgives rounding noise just short of an integer.
int32_t TruncateCode(double value) {
    return SaturatedCode(std::trunc(value + std::copysign(kTruncationTolerance, value)));
}

bool IsIntegerScale(int32_t type) {
    switch (type) {
        case ScaleType::kFrequency:
        case ScaleType::kHighPassFrequency:
        case ScaleType::kLowPassFrequency:
        case ScaleType::kPercent:
        case ScaleType::kDecibelOffset:
        case ScaleType::kMilliseconds:
            return true;
        default:
            return false;
    }
}

bool IsFrequencyScale(int32_t type) {
    return type == ScaleType::kFrequency || type == ScaleType::kHighPassFrequency ||
           type == ScaleType::kLowPassFrequency;
}

bool IsDelayScale(int32_t type) {
    return type == ScaleType::kDelayMilliseconds || type == ScaleType::kDelayMetres ||
           type == ScaleType::kDelayFeet;
}

double DelayMilliseconds(int32_t code) {
    if (code <= kLastFineDelayCode) {
        return code * kDelayFineStep;
    }
    return (code - kLastFineDelayCode) + kLastFineDelay;
}

double DistanceDelayMilliseconds(int32_t code) {
    if (code <= kLastFineDistanceCode) {
        return code * kDelayFineStep;
    }
    return (code - kLastFineDistanceCode) + kLastFineDistanceDelay;
}

int32_t MillisecondsToDelayCode(double milliseconds) {
    if (milliseconds <= kLastFineDelay) {
        return TruncateCode(milliseconds / kDelayFineStep + 0.5);
    }
    if (milliseconds < 10.0) {
        return TruncateCode((milliseconds - kLastFineDelay) / kDelayBridgeWidth +
                            kLastFineDelayCode + 0.5);
    }
    return kLastFineDelayCode + TruncateCode(milliseconds - kLastFineDelay);
}

int32_t DistanceMillisecondsToDelayCode(double milliseconds) {
    if (milliseconds > kLastFineDistanceDelay) {
        return TruncateCode(milliseconds - kLastFineDistanceDelay + kLastFineDistanceCode + 0.5);
    }
    return TruncateCode(milliseconds / kDelayFineStep + 0.5);
}

int32_t QToBandwidthIndex(double q) {
    for (int index = 0; index < kBandwidthIndexCount; ++index) {
        if (BandwidthIndexToQ(index) <= q) {
            return index;
        }
    }
    return kBandwidthIndexCount - 1;
}

std::string Integer(int64_t value) {
    return std::to_string(value);
}
}  // namespace

std::optional<std::string> FormatCode(const ScaleParameters& scale, int32_t code) {
    const double linearValue = code * scale.step - scale.offset;
    switch (scale.scaleType) {
        case ScaleType::kDelayMilliseconds:
            return FormatFixed(DelayMilliseconds(code), 3);
        case ScaleType::kDelayMetres:
            return FormatFixed(DistanceDelayMilliseconds(code) * kMetresPerMillisecond, 3);
        case ScaleType::kDelayFeet:
            return FormatFixed(DistanceDelayMilliseconds(code) * kFeetPerMillisecond, 3);
        case ScaleType::kFrequency:
        case ScaleType::kHighPassFrequency:
        case ScaleType::kLowPassFrequency:
            return Integer(code);
        case ScaleType::kLimiterAttack:
            if (code <= kAttackFineCodes) {
                return FormatFixed((code + 3) * 0.1, 1) + "ms";
            }
            return Integer(int64_t{code} - kAttackFineCodes) + "ms";
        case ScaleType::kLinear:
            return FormatFixed(linearValue, 1);
        case ScaleType::kLinearWhole:
            return FormatFixed(linearValue, 0);
        case ScaleType::kLinearDecibels:
            return FormatFixed(linearValue, 1) + "dB";
        case ScaleType::kQ: {
            const double q = BandwidthIndexToQ(code);
            return FormatFixed(q, q > 100.0 ? 1 : 3);
        }
        case ScaleType::kPercent:
            return Integer(code) + "%";
        case ScaleType::kDecibelOffset:
            return Integer(int64_t{code} - kDecibelOffsetZero) + "dB";
        case ScaleType::kTenths:
            return FormatFixed(code * 0.1, 1);
        case ScaleType::kTenthsSeconds:
            return FormatFixed(code * 0.1, 1) + "s";
        case ScaleType::kMilliseconds:
            return Integer(code) + "ms";
        default:
            return std::nullopt;
    }
}

TypedValue ReadTypedValue(const ScaleParameters& scale, std::string_view text) {
    const bool frequency = IsFrequencyScale(scale.scaleType);
    if ((frequency && text == "OFF") || !FormatCode(scale, 0).has_value()) {
        return {};
    }
    const std::optional<double> value = frequency ? TypedFrequency(text) : TypedDecimal(text);
    if (!value) {
        return {TypedValue::Kind::NoNumber};
    }
    return {TypedValue::Kind::Number,
            IsIntegerScale(scale.scaleType) ? std::trunc(*value) : *value};
}

ValueRange AcceptedRange(const ScaleParameters& scale) {
    const double minCode = scale.minCode;
    const double maxCode = scale.maxCode;
    switch (scale.scaleType) {
        case ScaleType::kDelayMilliseconds:
            return {0.0, 99.996};
        case ScaleType::kDelayMetres:
            return {0.0, 339.992};
        case ScaleType::kDelayFeet:
            return {0.0, 1115.512};
        case ScaleType::kHighPassFrequency:
            return {minCode, std::min(maxCode, double{kTopFrequency})};
        case ScaleType::kLimiterAttack:
            return {kAttackFineStart, maxCode - kAttackFineCodes};
        case ScaleType::kLinear:
        case ScaleType::kLinearWhole:
        case ScaleType::kLinearDecibels: {
            const double atMin = minCode * scale.step - scale.offset;
            const double atMax = maxCode * scale.step - scale.offset;
            return {std::min(atMin, atMax), std::max(atMin, atMax)};
        }
        case ScaleType::kQ:
            return {kLowestQ, kHighestQ};
        case ScaleType::kDecibelOffset:
            return {minCode - kDecibelOffsetZero, maxCode - kDecibelOffsetZero};
        case ScaleType::kTenths:
        case ScaleType::kTenthsSeconds:
            return {minCode * 0.1, maxCode * 0.1};
        default:
            return {minCode, maxCode};
    }
}

std::optional<int32_t> ValueToCode(const ScaleParameters& scale, double value) {
    switch (scale.scaleType) {
        case ScaleType::kDelayMilliseconds:
            return MillisecondsToDelayCode(value);
        case ScaleType::kDelayMetres:
            return DistanceMillisecondsToDelayCode(value / kMetresPerMillisecond);
        case ScaleType::kDelayFeet:
            return DistanceMillisecondsToDelayCode(value / kFeetPerMetre / kMetresPerMillisecond);
        case ScaleType::kLimiterAttack:
            if (value >= kAttackFineStart && value <= kAttackFineEnd) {
                return TruncateCode((value - kAttackFineStart) / 0.1);
            }
            if (value >= kAttackCoarseStart && value <= kAttackCoarseEnd) {
                return TruncateCode(value) + kAttackFineCodes;
            }
            return std::nullopt;
        case ScaleType::kLinear:
        case ScaleType::kLinearWhole:
        case ScaleType::kLinearDecibels:
            if (scale.step == 0.0) {
                return std::nullopt;
            }
            return TruncateCode((value + scale.offset) * 10.0 / (scale.step * 10.0));
        case ScaleType::kQ:
            return QToBandwidthIndex(value);
        case ScaleType::kDecibelOffset:
            return TruncateCode(value + kDecibelOffsetZero);
        case ScaleType::kTenths:
        case ScaleType::kTenthsSeconds:
            return TruncateCode(value * 10.0);
        default:
            if (IsIntegerScale(scale.scaleType)) {
                return TruncateCode(value);
            }
            return std::nullopt;
    }
}

int32_t CodeAtLowerLimit(const ScaleParameters& scale) {
    if (IsDelayScale(scale.scaleType) || IsIntegerScale(scale.scaleType)) {
        return scale.minCode;
    }
    return ValueToCode(scale, AcceptedRange(scale).lowest).value_or(scale.minCode);
}

int32_t CodeAtUpperLimit(const ScaleParameters& scale) {
    if (scale.scaleType == ScaleType::kHighPassFrequency) {
        return std::min(scale.maxCode, kTopFrequency);
    }
    if (IsDelayScale(scale.scaleType) || IsIntegerScale(scale.scaleType)) {
        return scale.maxCode;
    }
    return ValueToCode(scale, AcceptedRange(scale).highest).value_or(scale.maxCode);
}
