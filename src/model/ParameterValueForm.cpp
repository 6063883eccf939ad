// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ParameterValueForm.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <optional>

namespace {
constexpr double kSameValue = 1e-6;
constexpr double kHertzPerKilohertz = 1000.0;

bool SameWord(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

// A value pasted from printed JSON keeps its quotes.
std::string_view Unquoted(std::string_view text) {
    text = Trim(text);
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
        text = text.substr(1, text.size() - 2);
    }
    return text;
}

// The number part of a field's text ("-3.5" of "-3.5dB").
std::string_view NumberPart(std::string_view text) {
    size_t end = 0;
    while (end < text.size() &&
           std::string_view("+-.0123456789").find(text[end]) != std::string_view::npos) {
        ++end;
    }
    return text.substr(0, end);
}

std::optional<double> ReadNumber(std::string_view text) {
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::string ShownNumber(const ScaleParameters& scale, int32_t code) {
    return std::string(NumberPart(FormatCode(scale, code).value_or("")));
}

bool IsDelay(int32_t scaleType) {
    return scaleType == ScaleType::kDelayMilliseconds || scaleType == ScaleType::kDelayMetres ||
           scaleType == ScaleType::kDelayFeet;
}

// The scale a unit selects and the factor that turns the number into that scale's value.
std::optional<std::pair<ScaleParameters, double>> ScaleForUnit(const ValueForm& form,
                                                               std::string_view unit) {
    ScaleParameters scale = form.scale;
    if (unit.empty()) {
        return std::pair{scale, 1.0};
    }
    if (IsDelay(scale.scaleType)) {
        struct DelayUnit {
            std::string_view name;
            int32_t scaleType;
        };
        static constexpr std::array kDelayUnits{DelayUnit{"ms", ScaleType::kDelayMilliseconds},
                                                DelayUnit{"m", ScaleType::kDelayMetres},
                                                DelayUnit{"ft", ScaleType::kDelayFeet}};
        for (const DelayUnit& delayUnit : kDelayUnits) {
            if (SameWord(unit, delayUnit.name)) {
                scale.scaleType = delayUnit.scaleType;
                return std::pair{scale, 1.0};
            }
        }
        return std::nullopt;
    }
    if (SameWord(form.unit, "Hz") && (SameWord(unit, "k") || SameWord(unit, "kHz"))) {
        return std::pair{scale, kHertzPerKilohertz};
    }
    if (SameWord(unit, form.unit)) {
        return std::pair{scale, 1.0};
    }
    return std::nullopt;
}

std::variant<int32_t, std::string> ParseScaled(const ValueForm& form, std::string_view text) {
    const std::string_view number = NumberPart(text);
    const std::string_view unit = Trim(text.substr(number.size()));
    const std::optional<double> typed = ReadNumber(number);
    if (!typed) {
        return "'" + std::string(text) + "' is not a number";
    }
    const auto scaled = ScaleForUnit(form, unit);
    if (!scaled) {
        return "'" + std::string(unit) + "' is not a unit of this parameter (" +
               (IsDelay(form.scale.scaleType) ? std::string("ms, m or ft")
                                              : std::string(form.unit)) +
               ")";
    }
    const auto& [scale, factor] = *scaled;
    const double value = *typed * factor;
    const ValueRange range = AcceptedRange(scale);
    const std::optional<int32_t> code =
        value < range.lowest - kSameValue || value > range.highest + kSameValue
            ? std::nullopt
            : ValueToCode(scale, value);
    if (!code || *code < scale.minCode || *code > scale.maxCode) {
        ValueForm shown = form;
        shown.scale = scale;
        return std::string(text) + " is out of range " + DescribeRange(shown);
    }
    if (!form.roundsToStep) {
        const std::optional<double> landed = ReadNumber(ShownNumber(scale, *code));
        if (!landed || std::abs(*landed - value) > kSameValue) {
            return std::string(text) + " is between two steps of this parameter (it would be " +
                   ShownNumber(scale, *code) + std::string(form.unit) + ")";
        }
    }
    return *code;
}

std::variant<int32_t, std::string> ParseChoice(const ValueForm& form, std::string_view text) {
    for (size_t index = 0; index < form.choices.size(); ++index) {
        if (SameWord(text, form.choices[index])) {
            return static_cast<int32_t>(index);
        }
    }
    std::string names;
    for (const std::string_view name : form.choices) {
        names += names.empty() ? "" : ", ";
        names += name;
    }
    return "'" + std::string(text) + "' is not one of " + names;
}

std::variant<int32_t, std::string> ParseSwitch(std::string_view text) {
    for (const std::string_view on : {"on", "true", "1", "yes"}) {
        if (SameWord(text, on)) {
            return 1;
        }
    }
    for (const std::string_view off : {"off", "false", "0", "no"}) {
        if (SameWord(text, off)) {
            return 0;
        }
    }
    return "'" + std::string(text) + "' is not on or off";
}
}  // namespace

ValueForm ScaledForm(int32_t scaleType, int32_t minCode, int32_t maxCode, std::string_view unit,
                     double step, double offset) {
    ValueForm form;
    form.kind = ValueForm::Kind::Scaled;
    form.scale = {scaleType, minCode, maxCode, step, offset};
    form.unit = unit;
    form.roundsToStep = scaleType == ScaleType::kQ || IsDelay(scaleType);
    return form;
}

ValueForm ChoiceForm(std::span<const std::string_view> choices) {
    ValueForm form;
    form.kind = ValueForm::Kind::Choice;
    form.choices = choices;
    return form;
}

ValueForm SwitchForm() {
    ValueForm form;
    form.kind = ValueForm::Kind::Switch;
    return form;
}

std::string FormatParameterValue(const ValueForm& form, int32_t code) {
    switch (form.kind) {
        case ValueForm::Kind::Switch:
            return code != 0 ? "true" : "false";
        case ValueForm::Kind::Choice:
            if (code >= 0 && static_cast<size_t>(code) < form.choices.size()) {
                return "\"" + std::string(form.choices[static_cast<size_t>(code)]) + "\"";
            }
            return std::to_string(code);
        default: {
            const std::string shown = ShownNumber(form.scale, code);
            return shown.empty() ? std::to_string(code) : shown;
        }
    }
}

std::variant<int32_t, std::string> ParseParameterValue(const ValueForm& form,
                                                       std::string_view text) {
    text = Unquoted(text);
    switch (form.kind) {
        case ValueForm::Kind::Switch:
            return ParseSwitch(text);
        case ValueForm::Kind::Choice:
            return ParseChoice(form, text);
        default:
            return ParseScaled(form, text);
    }
}

std::string DescribeRange(const ValueForm& form) {
    if (form.kind != ValueForm::Kind::Scaled) {
        return {};
    }
    std::string low = ShownNumber(form.scale, form.scale.minCode);
    std::string high = ShownNumber(form.scale, form.scale.maxCode);
    // The Q scale runs backwards: its lowest code is its highest Q.
    if (ReadNumber(low).value_or(0.0) > ReadNumber(high).value_or(0.0)) {
        std::swap(low, high);
    }
    std::string unit(form.unit);
    if (form.scale.scaleType == ScaleType::kDelayMetres) {
        unit = "m";
    } else if (form.scale.scaleType == ScaleType::kDelayFeet) {
        unit = "ft";
    }
    return low + ".." + high + (unit.empty() ? "" : " " + unit);
}
