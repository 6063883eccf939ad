// SPDX-License-Identifier: GPL-3.0-or-later
// Numbers typed into the numeric fields, and numbers printed into them. Typed
// text is read the way the C library's atof / atoi read it: leading blanks, a
// sign, the longest number that follows, and 0 when there is none. Both
// directions ignore the process locale: the editor runs inside a GUI toolkit
// that may switch LC_NUMERIC to a comma decimal separator, and the fields must
// still read "4.998" and never print "4,998".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The decimal number at the start of `text` (digits, one point, an exponent);
// 0 when there is none. Infinity, NaN and hexadecimal forms read as 0.
double LeadingDecimal(std::string_view text);

// The whole number at the start of `text`, saturated to the 32-bit range; 0 when there is none.
int32_t LeadingInteger(std::string_view text);

// `value` printed as C's "%0.Nf" does in the "C" locale, except that a value
// rounding to zero never shows a minus sign.
std::string FormatFixed(double value, int decimals);
