// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>

#include "curves/BandwidthTable.h"
#include "curves/FrequencyGrid.h"

TEST(FrequencyGrid, IsTheFixedTableWithItsIrregularSteps) {
    const auto& grid = GridFrequencies();
    EXPECT_DOUBLE_EQ(grid[0], 19.7);
    EXPECT_DOUBLE_EQ(grid[136], 1000.0);
    EXPECT_DOUBLE_EQ(grid[240], 20000.0);
    // 172 -> 179 -> 182 is the device's own irregular step, not a rounded formula.
    EXPECT_DOUBLE_EQ(grid[75], 172.0);
    EXPECT_DOUBLE_EQ(grid[76], 179.0);
    EXPECT_DOUBLE_EQ(grid[77], 182.0);
    EXPECT_TRUE(std::is_sorted(grid.begin(), grid.end()));
    EXPECT_EQ(std::adjacent_find(grid.begin(), grid.end()), grid.end()) << "no repeated frequency";
}

struct NearestCase {
    double hertz;
    int index;
};

class NearestGridIndexTest : public testing::TestWithParam<NearestCase> {};

TEST_P(NearestGridIndexTest, FindsTheNearestPointAndBreaksTiesUpwards) {
    EXPECT_EQ(NearestGridIndex(GetParam().hertz), GetParam().index) << GetParam().hertz << " Hz";
}

INSTANTIATE_TEST_SUITE_P(Cases, NearestGridIndexTest,
                         testing::Values(NearestCase{1000, 136}, NearestCase{1010, 136},
                                         NearestCase{1015, 137},  // halfway: the higher point
                                         NearestCase{1014.9, 136}, NearestCase{19.7, 0},
                                         NearestCase{19.9, 0}, NearestCase{5, 0},
                                         NearestCase{-100, 0}, NearestCase{20000, 240},
                                         NearestCase{19800, 240}, NearestCase{25000, 240},
                                         NearestCase{175.5, 76}, NearestCase{175.4, 75}));

TEST(BandwidthTable, ShowsTheDeviceQValues) {
    struct Case {
        int index;
        double q;
    };
    for (Case c :
         {Case{0, 144.3}, Case{29, 4.8}, Case{99, 1.414}, Case{199, 0.667}, Case{299, 0.404}}) {
        EXPECT_DOUBLE_EQ(BandwidthIndexToQ(c.index), c.q) << "index " << c.index;
    }
}

TEST(BandwidthTable, OutOfRangeIndicesFromTheDeviceShowTheNearestEntry) {
    EXPECT_DOUBLE_EQ(BandwidthIndexToQ(-1), 144.3);
    EXPECT_DOUBLE_EQ(BandwidthIndexToQ(-30000), 144.3);
    EXPECT_DOUBLE_EQ(BandwidthIndexToQ(300), 0.404);
    EXPECT_DOUBLE_EQ(BandwidthIndexToQ(65535), 0.404);
}
