// SPDX-License-Identifier: GPL-3.0-or-later
// The graph tells the truth at every size: each axis label stands on the grid
// line of its value, and marker numbers never print over each other however
// close the markers are.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "WidgetTestApp.h"
#include "app/graph/GraphFrame.h"
#include "app/graph/GraphMarkerLayout.h"
#include "curves/ElementGeometry.h"
#include "model/Audio_Data.h"

namespace {
// The x of `hertz` worked out here, not through the graph's own mapping.
double ExpectedX(int clientWidth, double hertz) {
    const int decade = (clientWidth - kPlotLeftMargin - kPlotRightMargin) / 3;
    return kPlotLeftMargin + std::log10(hertz / 20.0) * decade;
}

double ExpectedY(int clientHeight, double db) {
    const int height = clientHeight - kPlotTopMargin - kPlotBottomMargin;
    return kPlotTopMargin + (10.0 - db) * height / 30.0;
}

TEST(GraphAxisLabelTest, EveryLabelStandsOnItsLineAtEveryWidth) {
    WidgetTestApp();
    for (const QSize client : {QSize(320, 160), QSize(745, 330), QSize(1000, 300), QSize(1333, 420),
                               QSize(1900, 640), QSize(2560, 1000)}) {
        GraphFrame frame;
        frame.Prepare(client);
        ASSERT_EQ(frame.FrequencyLabels().size(), 10u);
        for (const PlacedAxisLabel& label : frame.FrequencyLabels()) {
            SCOPED_TRACE(label.text.toStdString() + " at width " + std::to_string(client.width()));
            EXPECT_NEAR(label.rect.left() + label.rect.width() / 2.0,
                        ExpectedX(client.width(), label.value), 2.0);
            EXPECT_GE(label.rect.top(), client.height() - kPlotBottomMargin);
            EXPECT_LE(label.rect.bottom(), client.height() - 1);
            EXPECT_GE(label.rect.left(), 0);
            EXPECT_LE(label.rect.right(), client.width());
        }
        ASSERT_EQ(frame.DecibelLabels().size(), 7u);
        for (const PlacedAxisLabel& label : frame.DecibelLabels()) {
            SCOPED_TRACE(label.text.toStdString() + " at height " +
                         std::to_string(client.height()));
            EXPECT_NEAR(label.rect.top() + label.rect.height() / 2.0,
                        ExpectedY(client.height(), label.value), 2.0);
            EXPECT_LE(label.rect.right(), kPlotLeftMargin);
        }
    }
}

TEST(GraphAxisLabelTest, NeighbouringFrequencyLabelsDoNotTouch) {
    WidgetTestApp();
    for (const int width : {320, 745, 2560}) {
        GraphFrame frame;
        frame.Prepare(QSize(width, 300));
        const auto& labels = frame.FrequencyLabels();
        for (size_t i = 1; i < labels.size(); ++i) {
            EXPECT_LT(labels[i - 1].rect.right(), labels[i].rect.left())
                << labels[i - 1].text.toStdString() << " and " << labels[i].text.toStdString();
        }
    }
}

void ExpectNoNumbersOverlap(const std::vector<MarkerNumberPlace>& places) {
    for (size_t i = 0; i < places.size(); ++i) {
        for (size_t j = i + 1; j < places.size(); ++j) {
            EXPECT_FALSE(Overlaps(places[i].number, places[j].number))
                << "numbers of markers " << i << " and " << j;
        }
        // A number outside its own handle covers no handle at all.
        if (places[i].inTag) {
            for (const MarkerNumberPlace& other : places) {
                EXPECT_FALSE(Overlaps(places[i].number, other.handle));
            }
        }
    }
}

PixelRect HandleAt(int x, int y) {
    return {x - kMarkerSize / 2, y - kMarkerSize / 2, x + kMarkerSize / 2, y + kMarkerSize / 2};
}

TEST(GraphMarkerNumberTest, SeparateMarkersKeepTheirNumbersInside) {
    const PixelRect plot{35, 10, 735, 310};
    const auto places = PlaceMarkerNumbers({HandleAt(100, 160), HandleAt(200, 160)}, plot);
    ASSERT_EQ(places.size(), 2u);
    for (const MarkerNumberPlace& place : places) {
        EXPECT_FALSE(place.inTag);
        EXPECT_EQ(place.number, place.handle);
    }
}

TEST(GraphMarkerNumberTest, CloseOrStackedMarkersNeverOverprint) {
    const PixelRect plot{35, 10, 735, 310};
    // Bands left on top of each other, as on a new program, and a pair a few pixels apart.
    std::vector<PixelRect> stacked(5, HandleAt(300, 160));
    stacked.push_back(HandleAt(306, 163));
    const auto places = PlaceMarkerNumbers(stacked, plot);
    EXPECT_FALSE(places[0].inTag);
    for (size_t i = 1; i < places.size(); ++i) {
        EXPECT_TRUE(places[i].inTag);
        EXPECT_NE(places[i].number, PixelRect{});
    }
    ExpectNoNumbersOverlap(places);

    std::mt19937 random(7);
    std::uniform_int_distribution<int> x(35, 735);
    std::uniform_int_distribution<int> y(18, 302);
    for (int round = 0; round < 200; ++round) {
        std::vector<PixelRect> handles;
        for (int marker = 0; marker < 9; ++marker) {
            handles.push_back(HandleAt(x(random) / 6 * 6, y(random) / 6 * 6));
        }
        ExpectNoNumbersOverlap(PlaceMarkerNumbers(handles, plot));
    }
}

TEST(GraphMarkerNumberTest, TheMarkerThePointerFindsShowsItsNumberOnItsHandle) {
    CAudio_Data program;
    program.SetPlotRect({35, 10, 735, 310});
    CEQ& chain = program.GetOutput(0).GetChain();
    // Two bands at the same point: the pointer finds band 1 first.
    chain.GetElement(0).SetFrequency(1000);
    chain.GetElement(1).SetFrequency(1000);
    const auto places = PlaceMarkerNumbers(chain, MarkedElements(GraphMode::kOutput, 0),
                                           PixelRect{35, 10, 735, 310});
    ASSERT_GE(places.size(), 2u);
    EXPECT_EQ(places[0].element, 0);
    EXPECT_FALSE(places[0].inTag);
    EXPECT_EQ(places[1].element, 1);
    EXPECT_TRUE(places[1].inTag);
    ExpectNoNumbersOverlap(places);
}
}  // namespace
