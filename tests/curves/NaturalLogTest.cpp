// SPDX-License-Identifier: GPL-3.0-or-later
// The vectorisable logarithm behind every response must agree with the
// library's to the last place but one, over the whole range a power ratio can
// take, and be exact where a flat response depends on it.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <numbers>
#include <random>

#include "curves/NaturalLog.h"

namespace {

TEST(NaturalLog, ExactAtOneAndAtPowersOfTwoNearIt) {
    EXPECT_EQ(NaturalLogOfNormal(1.0), 0.0);
    EXPECT_FALSE(std::signbit(NaturalLogOfNormal(1.0)));
    for (double x : {0.5, 2.0, 0.25, 4.0}) {
        EXPECT_EQ(NaturalLogOfNormal(x), std::log(x)) << x;
    }
}

TEST(NaturalLog, WithinOneUlpOfTheLibraryFromTheSmallestToTheLargestNormal) {
    auto withinOneUlp = [](double x) {
        const double expected = std::log(x);
        const double actual = NaturalLogOfNormal(x);
        return actual == expected || actual == std::nextafter(expected, INFINITY) ||
               actual == std::nextafter(expected, -INFINITY);
    };
    for (double x : {DBL_MIN, DBL_MAX, 1.0 - DBL_EPSILON, 1.0 + DBL_EPSILON,
                     1.0 / std::numbers::sqrt2, std::numbers::sqrt2,
                     std::nextafter(std::numbers::sqrt2, 0.0), 1e-300, 1e300, 0.9999, 1.0001}) {
        EXPECT_TRUE(withinOneUlp(x)) << x;
    }
    std::mt19937_64 random(13);
    std::uniform_real_distribution<double> exponent(-708.0, 709.0);
    std::uniform_real_distribution<double> nearOne(0.5, 2.0);
    for (int i = 0; i < 200000; ++i) {
        const double wide = std::exp(exponent(random));
        const double narrow = nearOne(random);
        ASSERT_TRUE(withinOneUlp(wide)) << wide;
        ASSERT_TRUE(withinOneUlp(narrow)) << narrow;
    }
}

}  // namespace
