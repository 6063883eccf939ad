// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "curves/ElementGeometry.h"
#include "curves/GraphScale.h"

namespace {
// 30 dB over 300 pixels (10 per dB), three decades over 600 (200 per decade).
const GraphScale kScale(600, 300);
}  // namespace

TEST(GraphScale, DecibelsToHeights) {
    EXPECT_EQ(kScale.DbToY(10.0), 0);
    EXPECT_EQ(kScale.DbToY(0.0), 100);
    EXPECT_EQ(kScale.DbToY(-20.0), 300);
    EXPECT_EQ(kScale.DbToY(0.04), 100) << "rounds to the nearest pixel";
    EXPECT_EQ(kScale.DbToY(0.06), 99);
    EXPECT_DOUBLE_EQ(kScale.DbToYF(-5.25), 152.5);
    EXPECT_EQ(kScale.DbToY(11.0), -9) << "-9.5 truncates towards zero above the plot";
}

// The grid loops use the branch-free form; it must agree everywhere, the odd values included.
TEST(GraphScale, BranchFreeTruncationAgreesWithTheOrdinaryOne) {
    constexpr double kInfinity = std::numeric_limits<double>::infinity();
    for (double value : {0.0,
                         -0.0,
                         0.49,
                         -0.5,
                         -0.99,
                         1.5,
                         299.999,
                         -9.5,
                         1.0e6,
                         1.0e6 + 0.5,
                         -1.0e6,
                         -1.0e6 - 0.5,
                         2.5e9,
                         -2.5e9,
                         1.0e300,
                         -1.0e300,
                         kInfinity,
                         -kInfinity,
                         std::numeric_limits<double>::quiet_NaN(),
                         std::numeric_limits<double>::denorm_min()}) {
        EXPECT_EQ(TruncateToPixelBranchless(value), TruncateToPixel(value)) << value;
    }
}

TEST(GraphScale, FrequenciesToPositionsUseAWholeDecadeWidth) {
    EXPECT_EQ(kScale.FrequencyToX(20.0), 0);
    EXPECT_EQ(kScale.FrequencyToX(200.0), 200);
    EXPECT_EQ(kScale.FrequencyToX(1000.0), 339) << "log10(50) x 200 = 339.79, truncated";
    // 602 / 3 is 200 in integer arithmetic, so the scale is the same.
    EXPECT_EQ(GraphScale(602, 300).FrequencyToX(1000.0), 339);
}

TEST(GraphScale, PointerPositionsBackToValues) {
    struct Case {
        int y;
        int db;
    };
    for (Case c :
         {Case{0, 10}, Case{150, -5}, Case{5, 10}, Case{15, 9}, Case{165, -7}, Case{300, -20}}) {
        EXPECT_EQ(kScale.YToDb(c.y), c.db) << "y " << c.y << ": halves round away from zero";
    }
    EXPECT_DOUBLE_EQ(kScale.XToFrequency(0), 20.0);
    EXPECT_NEAR(kScale.XToFrequency(200), 200.0, 1e-9);
    EXPECT_DOUBLE_EQ(kScale.XToFrequency(-40), 20.0);
    EXPECT_DOUBLE_EQ(kScale.XToFrequency(5000), 20000.0);
}

TEST(GraphScale, UnusablePlotsAndValuesGiveDefinedPixels) {
    GraphScale empty(0, 0);
    EXPECT_EQ(empty.DbToY(-6.0), 0);
    EXPECT_EQ(empty.FrequencyToX(1000.0), 0);
    EXPECT_EQ(empty.YToDb(50), 0);
    EXPECT_DOUBLE_EQ(empty.XToFrequency(50), 20.0);
    double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(kScale.DbToY(nan), 0);
    EXPECT_EQ(kScale.DbToY(-1e300), 1000000);
    EXPECT_EQ(kScale.FrequencyToX(0.0), -1000000);
    EXPECT_EQ(kScale.FrequencyToX(-5.0), 0);
}

TEST(ElementGeometry, BandMarkerIsCentredOnItsPointAndKeptInsideThePlot) {
    // 1000 Hz at 0 dB: plot (339, 100), a 16-pixel square, moved by the 35/10 margins.
    EXPECT_EQ(BandMarkerRect(kScale, 1000, 0.0), (PixelRect{366, 102, 382, 118}));
    EXPECT_EQ(BandMarkerRect(kScale, 20, 10.0), (PixelRect{27, 10, 43, 26}))
        << "left edge at least -8, top at least 0";
    EXPECT_EQ(BandMarkerRect(kScale, 20000, -20.0), (PixelRect{619, 294, 635, 310}))
        << "pushed back to the right and bottom edges";
}

TEST(ElementGeometry, LabelsGoBelowTheMarkerUnlessThatLeavesThePlot) {
    PixelRect middle = BandMarkerRect(kScale, 1000, 0.0);
    EXPECT_EQ(BandLabelRect(kScale, middle, false), (PixelRect{366, 127, 592, 143}));
    EXPECT_EQ(BandLabelRect(kScale, middle, true), (PixelRect{366, 127, 472, 143}));
    PixelRect lowRight = BandMarkerRect(kScale, 15000, -19.0);
    EXPECT_EQ(BandLabelRect(kScale, lowRight, false),
              (PixelRect{635 - 180, lowRight.top - 25, 635, lowRight.bottom - 25}));
    EXPECT_EQ(BandLabelRect(kScale, lowRight, true).left, 635 - 116);
}

TEST(ElementGeometry, BandwidthHandlesSitOutsideTheBandEdges) {
    PixelRect marker = BandMarkerRect(kScale, 1000, 6.0);
    BandwidthHandles handles = BandwidthHandleRects(kScale, marker, 1000, 6.0, 1.0);
    int centreY = (marker.top + marker.bottom) / 2 + 10;
    int lowerX = kScale.FrequencyToX(500.0) + 25;
    int upperX = kScale.FrequencyToX(2000.0) + 45;
    EXPECT_EQ(handles.lower, (PixelRect{lowerX - 4, centreY - 4, lowerX + 4, centreY + 4}));
    EXPECT_EQ(handles.upper, (PixelRect{upperX - 4, centreY - 4, upperX + 4, centreY + 4}));
    EXPECT_EQ(BandwidthHandleRects(kScale, marker, 1000, -0.1, 1.0).lower.top, centreY - 24)
        << "a cut puts the handles above the marker's centre";
}

TEST(ElementGeometry, CrossoverMarkersSitAtTheirOwnHeights) {
    PixelRect highPass = CrossoverMarkerRect(kScale, 1000, true);
    EXPECT_EQ(highPass, (PixelRect{366, 260, 382, 276}));
    EXPECT_EQ(CrossoverMarkerRect(kScale, 1000, false).top, 280);
    EXPECT_EQ(CrossoverMarkerRect(kScale, 20000, false).right, 600 + 8 + 35);
    EXPECT_EQ(CrossoverLabelRect(kScale, highPass, true), (PixelRect{366, 275, 432, 301}));
    PixelRect lowPass = CrossoverMarkerRect(kScale, 20000, false);
    EXPECT_EQ(CrossoverLabelRect(kScale, lowPass, false),
              (PixelRect{635 - 66, lowPass.top - 15, 635, lowPass.bottom + 20}));
}

TEST(ElementGeometry, ElementCurveClosesOnTheZeroLine) {
    std::array<double, kGridPointCount> response{};
    response[136] = -20.0;
    ElementCurve curve;
    PlaceElementCurveX(kScale, curve);
    FillElementCurveY(kScale, response, curve);
    EXPECT_EQ(curve.front(), (PixelPoint{35, 110}));
    EXPECT_EQ(curve.back(), (PixelPoint{635, 110}));
    EXPECT_EQ(curve[1], (PixelPoint{35 + kScale.FrequencyToX(19.7), 110}));
    EXPECT_EQ(curve[137], (PixelPoint{35 + 339, 310}));
}

TEST(ElementGeometry, SumCurvesKeepTheFractionalHeight) {
    std::array<double, kGridPointCount> sum{};
    sum[0] = -0.26;
    sum[1] = std::numeric_limits<double>::infinity();
    SumCurve curve;
    SumCurveF curveF;
    PlaceSumCurvesX(kScale, curve, curveF);
    FillSumCurvesY(kScale, sum, curve, curveF);
    EXPECT_EQ(curve[0].y, 103 + 10) << "102.6 + 0.5 truncated, then the margin";
    EXPECT_FLOAT_EQ(curveF[0].y, 102.6f + 10.0f);
    EXPECT_FLOAT_EQ(curveF[0].x, static_cast<float>(curve[0].x));
    EXPECT_TRUE(std::isfinite(curveF[1].y));
}
