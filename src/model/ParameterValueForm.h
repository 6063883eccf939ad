// SPDX-License-Identifier: GPL-3.0-or-later
// How the value of one parameter is written in a parameter path's world: a
// number in the pages' own units (the same scales and ranges as the pages'
// numeric fields), a name from a page's drop-down, or a switch. Values are
// printed so that they are JSON tokens and so that reading the printed value
// back gives the same code.
//
// The constraint: a value outside the field's range, or between two of its
// steps, is an error, never clamped or rounded: a script must not set
// something other than what it wrote.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "curves/ScaleConversion.h"

struct ValueForm {
    enum class Kind { Scaled, Choice, Switch };
    Kind kind = Kind::Scaled;
    // Scaled: the page's scale type, code range, step and offset.
    ScaleParameters scale;
    // Scaled: the unit a value may carry after its number ("Hz", "dB", ...).
    std::string_view unit;
    // Choice: the names, the code being the index.
    std::span<const std::string_view> choices;
    // Q and delay values land on the nearest step as they do in the pages.
    bool roundsToStep = false;
};

ValueForm ScaledForm(int32_t scaleType, int32_t minCode, int32_t maxCode, std::string_view unit,
                     double step = 0.0, double offset = 0.0);
ValueForm ChoiceForm(std::span<const std::string_view> choices);
ValueForm SwitchForm();

// The code as a JSON token: a number without its unit, a quoted name, true or false.
// A code no name stands for is printed as that number.
std::string FormatParameterValue(const ValueForm& form, int32_t code);

// The code for a typed value, or the reason it cannot be one. A delay may be
// given in "ms" (the default), "m" or "ft"; a frequency in "Hz" or "k"/"kHz".
std::variant<int32_t, std::string> ParseParameterValue(const ValueForm& form,
                                                       std::string_view text);

// "20..2000 Hz": the values the form accepts, for messages.
std::string DescribeRange(const ValueForm& form);
