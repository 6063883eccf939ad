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

TEST(TypedNumber, TypedTextWithoutANumberIsNoNumberNotZero) {
    for (const char* text : {"", "abc", "-", "+", ".", ",", "k", "dB", "OFF", " ", "inf", "e5"}) {
        EXPECT_FALSE(TypedDecimal(text).has_value()) << "text \"" << text << "\"";
        EXPECT_FALSE(TypedFrequency(text).has_value()) << "text \"" << text << "\"";
    }
}

TEST(TypedNumber, TypedTextTakesUnitsCommasAndKilohertz) {
    const DecimalCase decimals[] = {
        {"5ms", 5.0}, {"50%", 50.0},  {"-3dB", -3.0}, {"1.5m", 1.5},  {"1,5", 1.5},
        {"-0", 0.0},  {" 2.5s", 2.5}, {",5", 0.5},    {"1,5,6", 1.5}, {"12 34", 12.0},
    };
    for (const DecimalCase& c : decimals) {
        EXPECT_DOUBLE_EQ(TypedDecimal(c.text).value_or(-999), c.expected) << c.text;
    }
    const DecimalCase frequencies[] = {
        {"1k", 1000.0},   {"2.5k", 2500.0},   {"2,5K", 2500.0}, {"1.5 kHz", 1500.0},
        {"440Hz", 440.0}, {"20000", 20000.0}, {"0.02k", 20.0},
    };
    for (const DecimalCase& c : frequencies) {
        EXPECT_DOUBLE_EQ(TypedFrequency(c.text).value_or(-999), c.expected) << c.text;
    }
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
    struct RestoreLocale {
        std::string previous = std::setlocale(LC_NUMERIC, nullptr);
        ~RestoreLocale() { std::setlocale(LC_NUMERIC, previous.c_str()); }
    } restore;
    const char* comma = nullptr;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "de_DE"}) {
        if (std::setlocale(LC_NUMERIC, name) != nullptr) {
            comma = name;
            break;
        }
    }
    if (comma == nullptr) {
        GTEST_SKIP()
            << "no comma-decimal locale on this machine; scripts/setup generates de_DE.UTF-8";
    }
    ASSERT_EQ(*std::localeconv()->decimal_point, ',') << comma;
    EXPECT_EQ(FormatFixed(4.998, 3), "4.998");
    EXPECT_EQ(FormatFixed(-0.04, 1), "0.0");
    EXPECT_DOUBLE_EQ(LeadingDecimal("4.998"), 4.998);
    EXPECT_DOUBLE_EQ(LeadingDecimal("-12.5dB"), -12.5);
}

}  // namespace
