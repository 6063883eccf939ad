// SPDX-License-Identifier: GPL-3.0-or-later
#include "curves/ChainSum.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

namespace {
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct Chain {
    std::vector<GridResponse> responses;
    std::vector<const GridResponse*> View() const {
        std::vector<const GridResponse*> view;
        for (const GridResponse& response : responses) {
            view.push_back(&response);
        }
        return view;
    }
};

// Responses of plausible sizes, with the values that reach the edges of the
// pixel conversion planted among them: infinities (a zero of a filter on a
// grid point), NaN, sums beyond a million pixels, and exact halves.
Chain RandomChain(size_t elements, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> db(-40.0, 25.0);
    Chain chain{std::vector<GridResponse>(elements)};
    for (GridResponse& response : chain.responses) {
        for (double& point : response) {
            point = db(random);
        }
    }
    if (elements >= 3) {
        chain.responses[0][5] = kInf;
        chain.responses[1][6] = -kInf;
        chain.responses[0][7] = kInf;
        chain.responses[2][7] = -kInf;  // NaN in the sum
        chain.responses[1][8] = kNaN;
        chain.responses[2][9] = 1.0e9;
        chain.responses[2][10] = -1.0e9;
        chain.responses[0][kGridPointCount - 1] = -kInf;
        chain.responses[1][kGridPointCount - 2] = 2.0e9;
    }
    return chain;
}

bool SameBits(float a, float b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST(ChainSum, AddsEachPointElementAfterElementFromZero) {
    const Chain chain = RandomChain(18, 1);
    GridResponse sum;
    SumResponses(chain.View(), sum);
    for (int i = 0; i < kGridPointCount; ++i) {
        double expected = 0.0;
        for (const GridResponse& response : chain.responses) {
            expected += response[i];
        }
        if (std::isnan(expected)) {
            EXPECT_TRUE(std::isnan(sum[i])) << i;
        } else {
            EXPECT_EQ(sum[i], expected) << i;
        }
    }
}

// The one-pass draw replaces the plain sum and fill on most machines, so it
// must give the very same points: every element count a chain has, plot
// heights that make the scale fractional, zero (infinity times zero is NaN)
// and tiny.
TEST(ChainSum, OnePassDrawEqualsThePlainOneToTheBit) {
    if (!OnePassDrawAvailable()) {
        GTEST_SKIP() << "this processor has no 256-bit vectors; only the plain draw runs here";
    }
    for (size_t elements : {0u, 1u, 5u, 9u, 18u}) {
        for (int height : {300, 217, 1, 0}) {
            const Chain chain = RandomChain(elements, static_cast<unsigned>(elements * 31 + 7));
            const GraphScale scale(600, height);
            SumCurve plain;
            SumCurveF plainF;
            PlaceSumCurvesX(scale, plain, plainF);
            SumCurve onePass = plain;
            SumCurveF onePassF = plainF;
            DrawSummedResponsesPlain(chain.View(), scale, plain, plainF);
            DrawSummedResponsesOnePass(chain.View(), scale, onePass, onePassF);
            for (int i = 0; i < kGridPointCount; ++i) {
                ASSERT_EQ(onePass[i], plain[i])
                    << "point " << i << ", " << elements << " elements, height " << height;
                ASSERT_TRUE(SameBits(onePassF[i].x, plainF[i].x) &&
                            SameBits(onePassF[i].y, plainF[i].y))
                    << "point " << i << ", " << elements << " elements, height " << height << ": "
                    << onePassF[i].y << " against " << plainF[i].y;
            }
        }
    }
}
}  // namespace
