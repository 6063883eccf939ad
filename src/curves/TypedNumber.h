// SPDX-License-Identifier: GPL-3.0-or-later
// Numbers typed into the numeric fields, and numbers printed into them.
// Shown text is read the way the C library's atof / atoi read it: leading
// blanks, a sign, the longest number that follows, and 0 when there is none.
// Typed text is read more forgivingly but never guesses: a unit after the
// number is ignored ("5ms"), a comma is a decimal point ("1,5"), and text
// without a number is reported as such instead of reading as 0, because a
// typo must never set a parameter to zero. Both directions ignore the process
// locale: the editor runs inside a GUI toolkit that may switch LC_NUMERIC to
// a comma decimal separator, and the fields must never print "4,998".
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The number typed at the start of `text` (after blanks): a sign, digits
// with one decimal point or comma, an exponent; anything after it (a unit)
// is ignored. Nothing when the text does not start with a number.
std::optional<double> TypedDecimal(std::string_view text);

// As `TypedDecimal`, and a "k" after the number (blanks allowed between)
// multiplies it by 1000: "2.5k" is 2500.
std::optional<double> TypedFrequency(std::string_view text);

// The decimal number at the start of `text` (digits, one point, an exponent);
// 0 when there is none. Infinity, NaN and hexadecimal forms read as 0.
double LeadingDecimal(std::string_view text);

// The whole number at the start of `text`, saturated to the 32-bit range; 0 when there is none.
int32_t LeadingInteger(std::string_view text);

// `value` printed as C's "%0.Nf" does in the "C" locale, except that a value
// rounding to zero never shows a minus sign.
std::string FormatFixed(double value, int decimals);
