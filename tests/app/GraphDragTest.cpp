// SPDX-License-Identifier: GPL-3.0-or-later
// The rules one drag step applies to an element, and which elements each
// page marks, without a widget.
#include <gtest/gtest.h>

#include "app/graph/GraphDrag.h"
#include "app/graph/GraphMapping.h"
#include "model/Audio_Data.h"

namespace {
// A 700 x 300 plot: 10 pixels per decibel, 233 pixels per decade.
const PixelRect kPlot{kPlotLeftMargin, kPlotTopMargin, kPlotLeftMargin + 700, kPlotTopMargin + 300};
const GraphScale kScale(kPlot.Width(), kPlot.Height());

CFilter LaidOut(int type, int frequency) {
    CFilter element;
    element.SetType(type);
    element.Layout(kPlot);
    element.SetFrequency(frequency);
    element.SetDirty(0);
    return element;
}

PixelPoint FarBeyond(int dx, int dy) {
    return {kPlot.left + dx, kPlot.top + dy};
}
}  // namespace

TEST(GraphDragTest, BandMarkerTakesFrequencyAndWholeDecibelsWithinThePlot) {
    struct Case {
        const char* name;
        PixelPoint pointer;
        int frequency;
        int gainIndex;
    };
    const Case cases[] = {
        {"top-left corner", {kPlot.left, kPlot.top}, 20, 300},
        {"far above and left", FarBeyond(-500, -500), 20, 300},
        {"far below and right", FarBeyond(5000, 5000), 20000, 0},
        // Two decades from 20 Hz, 6 dB below the top.
        {"inside", {kPlot.left + 466, kPlot.top + 60}, 1999, 240},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CFilter band = LaidOut(ElementType::kPeaking, 1000);
        EXPECT_TRUE(DragBandMarker(band, kScale, c.pointer, {0, 0}));
        EXPECT_NEAR(band.GetFrequency(), c.frequency, c.frequency / 500);
        EXPECT_EQ(band.GetGainIndex(), c.gainIndex);
        EXPECT_TRUE(band.IsDirty());
    }
}

TEST(GraphDragTest, BandMarkerAtZeroDecibelsBypassesAndElsewhereSwitchesOn) {
    CFilter band = LaidOut(ElementType::kPeaking, 1000);
    band.SetAllBypass(1);
    DragBandMarker(band, kScale, {kPlot.left + 300, kPlot.top + 50}, {0, 0});
    EXPECT_EQ(band.GetBypassState(), 0);
    EXPECT_DOUBLE_EQ(band.GetGain(), 5.0);

    DragBandMarker(band, kScale, {kPlot.left + 300, kPlot.top + 100}, {0, 0});
    EXPECT_EQ(band.GetBypass(), 1);
    // A bypassed band's marker sits on the 0 dB line.
    EXPECT_EQ((band.GetMarkerRect().top + band.GetMarkerRect().bottom) / 2,
              kPlot.top + kScale.DbToY(0.0));
}

TEST(GraphDragTest, BandMarkerStepWithoutChangeLeavesTheBandClean) {
    CFilter band = LaidOut(ElementType::kPeaking, 1000);
    const PixelPoint pointer{kPlot.left + 300, kPlot.top + 150};
    ASSERT_TRUE(DragBandMarker(band, kScale, pointer, {0, 0}));
    band.SetDirty(0);
    EXPECT_FALSE(DragBandMarker(band, kScale, pointer, {0, 0}));
    EXPECT_FALSE(band.IsDirty());
    // Held against the top, every step is written again.
    ASSERT_TRUE(DragBandMarker(band, kScale, {kPlot.left + 300, 0}, {0, 0}));
    band.SetDirty(0);
    EXPECT_TRUE(DragBandMarker(band, kScale, {kPlot.left + 300, 0}, {0, 0}));
    EXPECT_TRUE(band.IsDirty());
}

TEST(GraphDragTest, ShelvesKeepTheirFrequencyLimits) {
    CFilter lowShelf = LaidOut(ElementType::kLowShelf, 1000);
    DragBandMarker(lowShelf, kScale, FarBeyond(5000, 50), {0, 0});
    EXPECT_EQ(lowShelf.GetFrequency(), 2000);

    CFilter highShelf = LaidOut(ElementType::kHighShelf, 5000);
    DragBandMarker(highShelf, kScale, FarBeyond(-500, 50), {0, 0});
    EXPECT_EQ(highShelf.GetFrequency(), 2000);
}

TEST(GraphDragTest, BandwidthHandlesSetOctavesBetweenLimits) {
    // The lower handle stands for the band's lower edge, drawn 10 pixels further out.
    const int lowerEdgeOneOctave = kPlot.left - 10 + kScale.FrequencyToX(500);
    struct Case {
        const char* name;
        BandwidthHandle handle;
        int pointerX;
        int bandwidthIndex;
    };
    const Case cases[] = {
        {"lower, one octave", BandwidthHandle::Lower, lowerEdgeOneOctave, 99},
        {"lower, dragged past the band", BandwidthHandle::Lower, kPlot.right, 0},
        {"upper, dragged past the band", BandwidthHandle::Upper, kPlot.left, 0},
        {"upper, far out", BandwidthHandle::Upper, kPlot.right + 500, 299},
        {"lower, far out", BandwidthHandle::Lower, -500, 299},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CFilter band = LaidOut(ElementType::kPeaking, 1000);
        EXPECT_TRUE(DragBandwidthHandle(band, kScale, c.pointerX, c.handle));
        EXPECT_NEAR(band.GetBandwidthIndex(), c.bandwidthIndex, 1);
        EXPECT_TRUE(band.IsDirty());
    }
}

TEST(GraphDragTest, CrossoverFiltersMoveFrequencyOnlyAndNeverCross) {
    CFilter highPass = LaidOut(ElementType::kHighPass, 100);
    CFilter lowPass = LaidOut(ElementType::kLowPass, 5000);
    const PixelRect highPassMarker = highPass.GetMarkerRect();

    EXPECT_TRUE(DragCrossover(highPass, lowPass.GetFrequency(), kScale, kPlot.left + 233));
    EXPECT_NEAR(highPass.GetFrequency(), 200, 1);
    EXPECT_EQ(highPass.GetMarkerRect().top, highPassMarker.top);

    // The low-pass dragged below the high-pass stops at its frequency, and the reverse.
    EXPECT_TRUE(DragCrossover(lowPass, highPass.GetFrequency(), kScale, kPlot.left + 10));
    EXPECT_EQ(lowPass.GetFrequency(), highPass.GetFrequency());
    lowPass.SetFrequency(5000);
    EXPECT_TRUE(DragCrossover(highPass, lowPass.GetFrequency(), kScale, kPlot.right + 100));
    EXPECT_EQ(highPass.GetFrequency(), 5000);

    highPass.SetDirty(0);
    EXPECT_FALSE(DragCrossover(highPass, lowPass.GetFrequency(), kScale, kPlot.right));
    EXPECT_FALSE(highPass.IsDirty());
}

TEST(GraphDragTest, HighPassDraggedLeftOfThePlotSwitchesOff) {
    CFilter highPass = LaidOut(ElementType::kHighPass, 300);
    EXPECT_TRUE(DragCrossover(highPass, 20000, kScale, kPlot.left - 200));
    EXPECT_EQ(highPass.GetFrequency(), 20);
    for (double db : highPass.GetResponse()) {
        ASSERT_EQ(db, 0.0);
    }
    // A low-pass there takes the plot's first frequency instead.
    CFilter lowPass = LaidOut(ElementType::kLowPass, 300);
    EXPECT_TRUE(DragCrossover(lowPass, 20, kScale, kPlot.left - 200));
    EXPECT_EQ(lowPass.GetFrequency(), 20);
}

TEST(GraphMappingTest, EachPageMarksTheElementsItCanEdit) {
    CAudio_Data program;
    struct Case {
        int mode;
        int channel;
        const CEQ& chain;
        int index;
        bool marked;
    };
    const CEQ& music = program.GetInput(0).GetChain();
    const CEQ& microphone = program.GetInput(2).GetChain();
    const CEQ& mainOutput = program.GetOutput(0).GetChain();
    const CEQ& subwoofer = program.GetOutput(3).GetChain();
    const CEQ& effect = program.GetEffect().GetChain();
    const Case cases[] = {
        {GraphMode::kInput, 0, music, 12, true},       {GraphMode::kInput, 0, music, 13, false},
        {GraphMode::kInput, 0, music, 16, false},      {GraphMode::kInput, 0, music, 17, false},
        {GraphMode::kInput, 2, microphone, 13, false}, {GraphMode::kInput, 2, microphone, 16, true},
        {GraphMode::kInput, 2, microphone, 17, true},  {GraphMode::kOutput, 0, mainOutput, 6, true},
        {GraphMode::kOutput, 0, mainOutput, 8, true},  {GraphMode::kOutput, 3, subwoofer, 4, true},
        {GraphMode::kOutput, 3, subwoofer, 5, false},  {GraphMode::kOutput, 3, subwoofer, 7, true},
        {GraphMode::kEffect, 0, effect, 2, true},      {GraphMode::kEffect, 0, effect, 4, true},
        {GraphMode::kEffect, 0, effect, 5, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "mode " << c.mode << " channel " << c.channel << " element " << c.index);
        EXPECT_EQ(MarkedElements(c.mode, c.channel).IsMarked(c.chain, c.index), c.marked);
    }
}

TEST(GraphMappingTest, MarkerTextNamesCrossoversAndCountsBandsFromOne) {
    CAudio_Data program;
    const CEQ& chain = program.GetOutput(0).GetChain();
    EXPECT_EQ(MarkerText(chain.GetElement(0), 0), "1");
    EXPECT_EQ(MarkerText(chain.GetElement(6), 6), "7");
    EXPECT_EQ(MarkerText(chain.GetHighPass(), 7), "H");
    EXPECT_EQ(MarkerText(chain.GetLowPass(), 8), "L");
}
