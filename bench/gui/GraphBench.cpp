// SPDX-License-Identifier: GPL-3.0-or-later
// Costs of the response graph on a large screen: one drag step (the pointer
// moves a band, the band is recomputed, and the whole control is repainted
// into an image the size of the control, as the window's backing store takes
// it) and a plain repaint with nothing changed. The target for the drag step
// is under 4 ms at 2560 x 1000.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>

#include "app/graph/FStatic.h"
#include "model/Audio_Data.h"
#include "model/ChannelIndex.h"
#include "protocol/SendDataQueue.h"

namespace {
constexpr int kBand = 3;

QApplication& BenchApp() {
    static int argc = 1;
    static char name[] = "sonavel_gui_bench";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    static QApplication app(argc, argv);
    return app;
}

void SendMouse(QWidget& widget, QEvent::Type type, QPoint at, Qt::MouseButton button,
               Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(at), widget.mapToGlobal(QPointF(at)), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

struct LargeGraph {
    explicit LargeGraph(QSize size) : target(size, QImage::Format_RGB32) {
        graph.resize(size);
        graph.SetSource(program);
        graph.SetQueue(&queue);
        graph.SetMode(GraphMode::kInput);
        graph.SelectInputChannel(InputChannel::kMicrophone);
        graph.Layout();
        CFilter& band = program.GetInput(InputChannel::kMicrophone).GetChain().GetElement(kBand);
        band.SetFrequency(1000);
        band.SetGainIndex(260);
        graph.render(&target, QPoint(), QRegion(), QWidget::DrawChildren);
    }

    QPoint BandMarker() {
        const PixelRect rect = program.GetInput(InputChannel::kMicrophone)
                                   .GetChain()
                                   .GetElement(kBand)
                                   .GetMarkerRect();
        return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    }

    QApplication& app = BenchApp();
    CAudio_Data program;
    CSendDataQueue queue;
    CFStatic graph;
    // The format of an opaque window's backing store.
    QImage target;
};

void BM_GraphDragStep(benchmark::State& state) {
    LargeGraph large(QSize(static_cast<int>(state.range(0)), static_cast<int>(state.range(1))));
    const QPoint start = large.BandMarker();
    SendMouse(large.graph, QEvent::MouseMove, start, Qt::NoButton, Qt::NoButton);
    SendMouse(large.graph, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    // Every step moves the band by a few hertz and a whole decibel, so each one changes it.
    int step = 0;
    for (auto _ : state) {
        const int offset = (step % 40) * 4;
        const QPoint at = start + QPoint(offset, step % 2 == 0 ? 40 : -40);
        SendMouse(large.graph, QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton);
        large.graph.render(&large.target, QPoint(), QRegion(), QWidget::DrawChildren);
        ++step;
    }
    SendMouse(large.graph, QEvent::MouseButtonRelease, start, Qt::LeftButton, Qt::NoButton);
    state.SetLabel("pointer move, band recomputed, whole control repainted");
}
BENCHMARK(BM_GraphDragStep)
    ->Args({745, 330})
    ->Args({1920, 640})
    ->Args({2560, 1000})
    ->Unit(benchmark::kMillisecond);

void BM_GraphRepaint(benchmark::State& state) {
    LargeGraph large(QSize(static_cast<int>(state.range(0)), static_cast<int>(state.range(1))));
    for (auto _ : state) {
        large.graph.render(&large.target, QPoint(), QRegion(), QWidget::DrawChildren);
    }
}
BENCHMARK(BM_GraphRepaint)->Args({2560, 1000})->Unit(benchmark::kMillisecond);
}  // namespace
