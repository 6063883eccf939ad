// SPDX-License-Identifier: GPL-3.0-or-later
#include "curves/ValueScale.h"

#include <algorithm>
#include <optional>

namespace {
// Typed values equal to a printed limit may differ from the computed limit by rounding noise.
constexpr double kRangeTolerance = 1e-9;
}  // namespace

void ValueScale::SetScaleType(int32_t type) {
    scale_.scaleType = type;
    ShowCode();
}

void ValueScale::SetRange(int32_t minimum, int32_t maximum) {
    scale_.minCode = minimum;
    scale_.maxCode = maximum;
}

bool ValueScale::SetValue(int32_t code) {
    if (!IsInCodeRange(code)) {
        return false;
    }
    code_ = code;
    held_ = false;
    // The typed text is replaced, so there is nothing left to convert.
    modified_ = false;
    ShowCode();
    return true;
}

void ValueScale::ShowHeldCode(int32_t code) {
    code_ = code;
    held_ = true;
    modified_ = false;
    ShowCode();
}

ReadOutcome ValueScale::GetValue() {
    ReadOutcome outcome;
    const int32_t type = scale_.scaleType;
    if (modified_ && type != ScaleType::kHighPassFrequency &&
        type != ScaleType::kLowPassFrequency) {
        const TypedValue typed = ReadTypedValue(scale_, text_);
        if (typed.kind == TypedValue::Kind::Number) {
            const ValueRange range = AcceptedRange(scale_);
            if (typed.value > range.highest + kRangeTolerance ||
                typed.value < range.lowest - kRangeTolerance) {
                outcome.showRangeMessage = type == ScaleType::kQ;
            } else if (const std::optional<int32_t> code = ValueToCode(scale_, typed.value);
                       code && IsInCodeRange(*code)) {
                code_ = *code;
            }
        }
    }
    modified_ = false;
    outcome.code = code_;
    return outcome;
}

void ValueScale::EditText(std::string text) {
    text_ = std::move(text);
    modified_ = true;
}

void ValueScale::RestoreText() {
    modified_ = false;
    ShowCode();
}

CommitOutcome ValueScale::Commit() {
    // Focus that merely passed through, or Enter on an untouched field,
    // changes nothing and sends nothing.
    if (!modified_) {
        return CommitOutcome{text_, false, false};
    }
    modified_ = false;
    CommitOutcome outcome;
    const TypedValue typed = ReadTypedValue(scale_, text_);
    // Text without a number (a typo, an empty box) keeps the value as it was:
    // reading it as 0 would mute an output or walk a filter to 20 Hz.
    outcome.showNumberMessage = typed.kind == TypedValue::Kind::NoNumber;
    if (typed.kind != TypedValue::Kind::Number) {
        ShowCode();
        outcome.text = text_;
        return outcome;
    }
    std::optional<int32_t> code;
    const ValueRange range = AcceptedRange(scale_);
    if (typed.value > range.highest + kRangeTolerance) {
        outcome.showRangeMessage = true;
        code = CodeAtUpperLimit(scale_);
    } else if (typed.value < range.lowest - kRangeTolerance) {
        outcome.showRangeMessage = true;
        code = CodeAtLowerLimit(scale_);
    } else {
        code = ValueToCode(scale_, typed.value);
    }
    // Some accepted ranges reach past the codes the device takes (a metre
    // delay of 300 m would be code 1357); those are out of range too.
    if (code && !IsInCodeRange(*code)) {
        outcome.showRangeMessage = true;
        code = *code > scale_.maxCode ? scale_.maxCode : scale_.minCode;
    }
    // The page is told only when there is something to send.
    if (code && *code != code_) {
        code_ = *code;
        outcome.notifyPage = true;
    }
    ShowCode();
    outcome.text = text_;
    return outcome;
}

bool ValueScale::Spin(int32_t clickStep, SpinDirection direction, bool stopAtTopFrequency) {
    int64_t delta = direction == SpinDirection::Up ? clickStep : -int64_t{clickStep};
    if (scale_.scaleType == ScaleType::kQ) {
        delta = -delta;
    }
    int64_t target = std::max<int64_t>(code_ + delta, scale_.minCode);
    target = std::min<int64_t>(target, scale_.maxCode);
    if (stopAtTopFrequency) {
        target = std::min<int64_t>(target, kTopFrequency);
    }
    if (target == code_) {
        return false;
    }
    return SetValue(static_cast<int32_t>(target));
}

void ValueScale::ShowCode() {
    if (std::optional<std::string> text = FormatCode(scale_, code_)) {
        text_ = std::move(*text);
    }
}

bool ValueScale::IsInCodeRange(int64_t code) const {
    return code >= scale_.minCode && code <= scale_.maxCode;
}
