// SPDX-License-Identifier: GPL-3.0-or-later
// The response graph as a widget: pointer events drag the program's
// elements, the page hears of changes at most once per notice period, and
// the picture shows the curve, the emphasis and the "All Bypass" text.
#include <gtest/gtest.h>

#include <QImage>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <atomic>
#include <thread>

#include "WidgetTestApp.h"
#include "app/graph/FStatic.h"
#include "model/Audio_Data.h"
#include "model/ChannelIndex.h"
#include "protocol/SendDataQueue.h"

namespace {
constexpr int kBand = 3;
constexpr int kHighPassIndex = 16;
// A 700 x 300 plot: 10 pixels per decibel.
constexpr int kClientWidth = 745;
constexpr int kClientHeight = 330;

QPoint CentreOf(const PixelRect& rect) {
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

class GraphWidgetTest : public testing::Test {
  protected:
    GraphWidgetTest() {
        graph.resize(kClientWidth, kClientHeight);
        graph.SetSource(program);
        graph.SetQueue(&queue);
        graph.SetMode(GraphMode::kInput);
        graph.SelectInputChannel(InputChannel::kMicrophone);
        graph.Layout();
        CFilter& band = Chain().GetElement(kBand);
        band.SetFrequency(1000);
        band.SetGainIndex(260);
        for (int i = 0; i < Chain().GetCount(); ++i) {
            Chain().GetElement(i).SetDirty(0);
        }
    }

    CEQ& Chain() { return program.GetInput(InputChannel::kMicrophone).GetChain(); }
    CFilter& Band() { return Chain().GetElement(kBand); }
    QPoint BandMarker() { return CentreOf(Band().GetMarkerRect()); }

    QApplication& app = WidgetTestApp();
    CAudio_Data program;
    CSendDataQueue queue;
    CFStatic graph;
};

TEST_F(GraphWidgetTest, HoveringAMarkerMakesItsElementCurrent) {
    MovePointer(graph, BandMarker());
    EXPECT_EQ(graph.CurrentElement(), kBand);
    EXPECT_TRUE(graph.IsPointerOver());
    EXPECT_EQ(graph.cursor().shape(), Qt::PointingHandCursor);

    // Away from every marker the element stays current but cannot be grabbed.
    MovePointer(graph, {400, 300});
    EXPECT_EQ(graph.CurrentElement(), kBand);
    EXPECT_FALSE(graph.IsPointerOver());
    EXPECT_EQ(graph.cursor().shape(), Qt::ArrowCursor);
}

// Counts the paints a widget receives.
class PaintCounter : public QObject {
  public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

TEST_F(GraphWidgetTest, HoverRepaintsOnlyWhenTheHoveredElementChanges) {
    graph.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&graph));
    PaintCounter counter;
    graph.installEventFilter(&counter);
    MovePointer(graph, BandMarker());
    QTest::qWait(20);
    const int paintsAfterEntering = counter.paints;
    EXPECT_GE(paintsAfterEntering, 1);

    for (int dx = -3; dx <= 3; ++dx) {
        MovePointer(graph, BandMarker() + QPoint(dx, 1));
    }
    MovePointer(graph, {400, 300});
    QTest::qWait(20);
    EXPECT_EQ(counter.paints, paintsAfterEntering);

    MovePointer(graph, CentreOf(Chain().GetHighPass().GetMarkerRect()));
    QTest::qWait(20);
    EXPECT_GT(counter.paints, paintsAfterEntering);
}

TEST_F(GraphWidgetTest, AGraphOfAnotherSizeOnTheSameProgramDoesNotMoveThisOnesMarkers) {
    const QPoint marker = BandMarker();
    CFStatic smallerGraph;
    smallerGraph.resize(400, 200);
    smallerGraph.SetSource(program);
    ASSERT_NE(BandMarker(), marker);

    MovePointer(graph, marker);
    EXPECT_EQ(graph.CurrentElement(), kBand);
    EXPECT_EQ(BandMarker(), marker);
}

TEST_F(GraphWidgetTest, DraggingABandMarkerChangesFrequencyAndGainAndFlagsTheBand) {
    const QPoint start = BandMarker();
    // Grabbed off centre: the marker keeps its distance to the pointer.
    const QPoint grab = start + QPoint(3, 2);
    DragPointer(graph, grab, grab + QPoint(70, 20));
    EXPECT_NEAR(Band().GetFrequency(), 2000, 60);
    EXPECT_DOUBLE_EQ(Band().GetGain(), 4.0);
    EXPECT_TRUE(Band().IsDirty());
    EXPECT_FALSE(graph.IsPointerOver());
}

TEST_F(GraphWidgetTest, DraggingBeyondThePlotStopsAtItsEdge) {
    DragPointer(graph, BandMarker(), {-300, -300});
    EXPECT_EQ(Band().GetFrequency(), 20);
    EXPECT_DOUBLE_EQ(Band().GetGain(), 10.0);

    DragPointer(graph, BandMarker(), {5000, 5000});
    EXPECT_EQ(Band().GetFrequency(), 20000);
    EXPECT_DOUBLE_EQ(Band().GetGain(), -20.0);
}

TEST_F(GraphWidgetTest, DraggingTheHighPassMovesItsFrequencyOnly) {
    CFilter& highPass = Chain().GetHighPass();
    highPass.SetFrequency(100);
    const PixelRect before = highPass.GetMarkerRect();
    DragPointer(graph, CentreOf(before), CentreOf(before) + QPoint(233, -120));
    EXPECT_NEAR(highPass.GetFrequency(), 1000, 20);
    EXPECT_EQ(highPass.GetMarkerRect().top, before.top);
    EXPECT_TRUE(highPass.IsDirty());

    // Out of the plot to the left it switches off.
    DragPointer(graph, CentreOf(highPass.GetMarkerRect()), {-50, 200});
    EXPECT_EQ(highPass.GetFrequency(), 20);
}

TEST_F(GraphWidgetTest, DraggingAnUpperBandwidthHandleWidensTheBand) {
    const int before = Band().GetBandwidthIndex();
    MovePointer(graph, BandMarker());
    const QPoint handle = CentreOf(Band().GetUpperHandleRect());
    DragPointer(graph, handle, handle + QPoint(50, 0));
    EXPECT_GT(Band().GetBandwidthIndex(), before + 30);
    EXPECT_TRUE(Band().IsDirty());
    // Handles of a raised band sit 10 pixels below its marker's centre.
    EXPECT_EQ(CentreOf(Band().GetUpperHandleRect()).y(), BandMarker().y() + 10);
}

TEST_F(GraphWidgetTest, MusicPageNeitherFindsNorShowsHiddenBandsOrCrossovers) {
    graph.SelectInputChannel(0);
    CEQ& music = program.GetInput(0).GetChain();
    music.GetElement(13).SetGainIndex(280);
    MovePointer(graph, CentreOf(music.GetElement(13).GetMarkerRect()));
    EXPECT_EQ(graph.CurrentElement(), -1);
    music.GetHighPass().SetFrequency(200);
    MovePointer(graph, CentreOf(music.GetHighPass().GetMarkerRect()));
    EXPECT_EQ(graph.CurrentElement(), -1);

    graph.SelectInputChannel(InputChannel::kMicrophone);
    MovePointer(graph, CentreOf(Chain().GetHighPass().GetMarkerRect()));
    EXPECT_EQ(graph.CurrentElement(), kHighPassIndex);
}

TEST_F(GraphWidgetTest, PageIsToldOncePerPeriodWithTheChangedElement) {
    graph.SetNoticePeriod(40);
    QSignalSpy notices(&graph, &CFStatic::ElementChanged);
    const QPoint start = BandMarker();
    MovePointer(graph, start);
    PressPointer(graph, start);
    for (int step = 1; step <= 5; ++step) {
        MovePointer(graph, start + QPoint(10 * step, 10 * step), Qt::LeftButton);
    }
    ReleasePointer(graph, start + QPoint(50, 50));
    EXPECT_EQ(notices.count(), 0);
    ASSERT_TRUE(notices.wait(1000));
    ASSERT_EQ(notices.count(), 1);
    EXPECT_EQ(notices.at(0).at(0).toInt(), kBand);

    // Hovering alone tells the page nothing.
    MovePointer(graph, BandMarker());
    QTest::qWait(100);
    EXPECT_EQ(notices.count(), 1);
}

TEST_F(GraphWidgetTest, ANoticeWaitingForOneElementIsNotLostToTheNext) {
    graph.SetNoticePeriod(10000);
    QSignalSpy notices(&graph, &CFStatic::ElementChanged);
    DragPointer(graph, BandMarker(), BandMarker() + QPoint(40, 0));
    CFilter& highPass = Chain().GetHighPass();
    highPass.SetFrequency(100);
    DragPointer(graph, CentreOf(highPass.GetMarkerRect()),
                CentreOf(highPass.GetMarkerRect()) + QPoint(40, 0));
    ASSERT_EQ(notices.count(), 1);
    EXPECT_EQ(notices.at(0).at(0).toInt(), kBand);
}

TEST_F(GraphWidgetTest, DragWaitsWhileTheSenderHoldsTheQueueLock) {
    std::atomic<bool> locked{false};
    std::atomic<bool> released{false};
    // Stands in for the USB worker reading the elements.
    std::thread sender([&] {
        auto guard = queue.Lock();
        locked = true;
        QThread::msleep(50);
        released = true;
    });
    while (!locked) {
        QThread::yieldCurrentThread();
    }
    const QPoint start = BandMarker();
    MovePointer(graph, start);
    EXPECT_TRUE(released);
    sender.join();
}

// Colour distance small enough for an anti-aliased line's core.
bool IsNear(QColor actual, QColor expected) {
    return std::abs(actual.red() - expected.red()) + std::abs(actual.green() - expected.green()) +
               std::abs(actual.blue() - expected.blue()) <
           90;
}

bool ColumnHasColourNear(const QImage& image, int x, int yFrom, int yTo, QColor expected) {
    for (int y = yFrom; y <= yTo; ++y) {
        if (IsNear(image.pixelColor(x, y), expected)) {
            return true;
        }
    }
    return false;
}

int WhitePixelsIn(const QImage& image, QRect area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            count += image.pixelColor(x, y) == QColor(Qt::white) ? 1 : 0;
        }
    }
    return count;
}

TEST_F(GraphWidgetTest, PictureShowsTheCurvePeakTheEmphasisAndTheFrame) {
    MovePointer(graph, BandMarker());
    const QImage image = graph.grab().toImage();
    ASSERT_EQ(image.size(), QSize(kClientWidth, kClientHeight));
    // The +6 dB peak lies 60 pixels above the 0 dB line (y = 110), in the microphone's green.
    const int peakX = BandMarker().x() + 3;
    EXPECT_TRUE(ColumnHasColourNear(image, peakX, 47, 53, QColor(0, 255, 0)));
    // Between the peak's value text and the 0 dB line the emphasised band is filled.
    EXPECT_EQ(image.pixelColor(peakX, 100), QColor(68, 86, 98));
    // Outside the plot: the black frame with its grey outline.
    EXPECT_EQ(image.pixelColor(0, 100), QColor(100, 100, 100));
    EXPECT_EQ(image.pixelColor(20, kClientHeight - 3), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(kPlotLeftMargin, 200), QColor(0, 180, 0));
}

TEST_F(GraphWidgetTest, ChannelGainMovesTheDrawnCurve) {
    // Low frequencies are flat: the curve lies on the 0 dB line (y = 110) at unity gain.
    const int flatX = 100;
    const QColor green(0, 255, 0);
    EXPECT_TRUE(ColumnHasColourNear(graph.grab().toImage(), flatX, 108, 112, green));

    program.GetInput(InputChannel::kMicrophone).SetGain(30);  // -10 dB
    const QImage image = graph.grab().toImage();
    EXPECT_TRUE(ColumnHasColourNear(image, flatX, 208, 212, green));
    EXPECT_FALSE(ColumnHasColourNear(image, flatX, 100, 120, green));
}

TEST_F(GraphWidgetTest, AllBypassTextAppearsOnlyWhenEveryBandIsBypassed) {
    // Above the markers on the 0 dB line, where only the overlay can be white.
    const QRect overlayTop(200, 80, 345, 15);
    EXPECT_EQ(WhitePixelsIn(graph.grab().toImage(), overlayTop), 0);

    Band().SetGainIndex(200);
    EXPECT_GT(WhitePixelsIn(graph.grab().toImage(), overlayTop), 20);
}
}  // namespace
