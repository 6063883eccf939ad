// SPDX-License-Identifier: GPL-3.0-or-later
#include <clocale>
#include <string>

#include <gtest/gtest.h>

#include "curves/TypedNumber.h"

namespace {

struct DecimalCase {
    std::string text;
    double expected;
};

TEST(TypedNumber, ReadsTheLeadingDecimalLikeAtof) {
    const DecimalCase cases[] = {
        {"4.998", 4.998}, {"  -3.5dB", -3.5}, {"+2", 2.0},  {".5", 0.5},     {"5.", 5.0},
        {"1e2", 100.0},   {"5e", 5.0},        {"5e+", 5.0}, {"0.9ms", 0.9},  {"abc", 0.0},
        {"", 0.0},        {"-", 0.0},         {".", 0.0},   {"inf", 0.0},    {"nan", 0.0},
        {"0x10", 0.0},    {"1e999", 0.0},     {"1,5", 1.0}, {"12 34", 12.0},
    };
    for (const DecimalCase& c : cases) {
        EXPECT_DOUBLE_EQ(LeadingDecimal(c.text), c.expected) << "text \"" << c.text << "\"";
    }
}

TEST(TypedNumber, ReadsOnlyTheLeadingIntegerLikeAtoi) {
    EXPECT_EQ(LeadingInteger("42%"), 42);
    EXPECT_EQ(LeadingInteger(" -6dB"), -6);
    EXPECT_EQ(LeadingInteger("12.9"), 12);
    EXPECT_EQ(LeadingInteger("OFF"), 0);
    EXPECT_EQ(LeadingInteger("99999999999"), 2147483647);
    EXPECT_EQ(LeadingInteger("-99999999999"), -2147483647 - 1);
}

TEST(TypedNumber, PrintsLikePrintfWithoutANegativeZero) {
    EXPECT_EQ(FormatFixed(4.998, 3), "4.998");
    EXPECT_EQ(FormatFixed(0.125, 2), "0.12");  // exact tie: printf rounds to even
    EXPECT_EQ(FormatFixed(144.3, 1), "144.3");
    EXPECT_EQ(FormatFixed(-3.5, 1), "-3.5");
    EXPECT_EQ(FormatFixed(-0.04, 1), "0.0");
    EXPECT_EQ(FormatFixed(-0.4, 0), "0");
    EXPECT_EQ(FormatFixed(-0.6, 0), "-1");
}

TEST(TypedNumber, IgnoresACommaDecimalLocale) {
    // Not every machine has a comma locale; where none is present this still checks "C".
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8", "de_DE", "C"}) {
        if (std::setlocale(LC_NUMERIC, name) != nullptr) {
            break;
        }
    }
    EXPECT_EQ(FormatFixed(4.998, 3), "4.998");
    EXPECT_DOUBLE_EQ(LeadingDecimal("4.998"), 4.998);
    std::setlocale(LC_NUMERIC, previous.c_str());
}

}  // namespace
