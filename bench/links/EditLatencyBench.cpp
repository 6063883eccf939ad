// SPDX-License-Identifier: GPL-3.0-or-later
// How long a one-field edit takes to leave on a real link: the music level
// changed on both music channels (two rows), against the device simulator on
// 127.0.0.1 and on a pseudo-terminal, with the links' own pump periods. Each
// edit is made at a random moment of the pump period; the counters are the
// 50th and 95th percentiles, in milliseconds, of the time to the first row
// and to the second row (the whole edit) going out.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <random>
#include <vector>

#include "core/SimulatedDevice.h"
#include "links/ConnectionManager.h"
#include "model/Audio_Data.h"
#include "model/PresetStore.h"
#include "model/SystemData.h"
#include "protocol/ChangeScanner.h"
#include "protocol/Command.h"
#include "protocol/DeviceDataTargets.h"
#include "protocol/DeviceTransfers.h"
#include "protocol/Frame.h"
#include "protocol/FrameTap.h"
#include "protocol/ProtocolEvents.h"
#include "protocol/Requests.h"
#include "transport/PtyDevice.h"
#include "transport/TcpDeviceServer.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kEdits = 80;

QCoreApplication& Application() {
    static int argc = 1;
    static char name[] = "sonavel-link-bench";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* application = QCoreApplication::instance() != nullptr
                                               ? QCoreApplication::instance()
                                               : new QCoreApplication(argc, argv);
    return *application;
}

// Runs the event loop until `done` holds or `limitMs` has passed.
bool RunUntil(const std::function<bool()>& done, int limitMs) {
    QElapsedTimer elapsed;
    elapsed.start();
    while (!done()) {
        if (elapsed.elapsed() > limitMs) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    }
    return true;
}

void RunFor(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// When each music-level row went out.
class RowClock final : public FrameTap {
  public:
    void FrameSent(std::span<const uint8_t> frame) override {
        if (frame[5] == Command::kWrite && frame[6] == SubCommand::kMusicInputRow) {
            const std::lock_guard lock(mutex_);
            sent_.push_back(Clock::now());
        }
    }
    void FrameReceived(std::span<const uint8_t>) override {}
    size_t Count() const {
        const std::lock_guard lock(mutex_);
        return sent_.size();
    }
    Clock::time_point At(size_t index) const {
        const std::lock_guard lock(mutex_);
        return sent_.at(index);
    }

  private:
    mutable std::mutex mutex_;
    std::vector<Clock::time_point> sent_;
};

class QuietView final : public ProtocolEvents {
  public:
    void OnProgramReceived() override {}
    void OnSystemDataRead() override {}
    void OnEffectRecordReceived() override {}
    void OnReadTransferFinished() override {}
    void OnUsbGaveUp() override {}
};

double Percentile(std::vector<double> values, double fraction) {
    std::sort(values.begin(), values.end());
    const size_t index = std::min(values.size() - 1, static_cast<size_t>(fraction * values.size()));
    return values[index];
}

void MeasureEdits(benchmark::State& state, LinkKind link) {
    Application();
    devsim::SimulatedDevice device;
    devsim::TcpDeviceServer server(device);
    devsim::PtyDevice pty(device);
    CAudio_Data program;
    PresetStore presets;
    SystemData system;
    DeviceDataTargets targets(presets, system);
    ProgramChangeSource source(program);
    QuietView view;
    CCommand engine(source, targets, view);
    DeviceTransfers transfers(engine.Queue(), program, presets, system);
    ConnectionManager manager(engine, transfers, program);
    RowClock rows;
    engine.SetFrameTap(&rows);

    ConnectionSettings& settings = manager.Settings();
    settings.linkKind = link;
    if (link == LinkKind::Network) {
        if (!server.Listen()) {
            state.SkipWithError("no port on 127.0.0.1");
            return;
        }
        settings.deviceAddress = "127.0.0.1";
        settings.tcpPort = server.Port();
    } else {
        if (!pty.Open()) {
            state.SkipWithError("no pseudo-terminal");
            return;
        }
        settings.serialPortName = pty.SlavePath();
    }
    manager.Connect();
    // Connected, and the connect sequence's reads all answered.
    const bool ready = RunUntil(
        [&] {
            const auto guard = engine.Queue().Lock();
            return manager.IsConnected() &&
                   engine.Queue().Find([](const CSendData& m) { return m.longWait; }) == nullptr;
        },
        30000);
    if (!ready) {
        state.SkipWithError("the device was not read");
        return;
    }

    const int period = link == LinkKind::Network ? 200 : 50;
    std::mt19937 random(7);
    std::uniform_int_distribution<int> phase(0, period - 1);
    std::vector<double> first;
    std::vector<double> whole;
    for (auto _ : state) {
        for (int edit = 0; edit < kEdits; ++edit) {
            RunFor(period + phase(random));
            const size_t before = rows.Count();
            Clock::time_point madeAt;
            {
                const auto guard = engine.Queue().Lock();
                const auto level = static_cast<uint8_t>(edit % 2 == 0 ? 10 : 20);
                program.GetInput(0).SetLevel(level);
                program.GetInput(1).SetLevel(level);
                madeAt = Clock::now();
            }
            if (!RunUntil([&] { return rows.Count() >= before + 2; }, 5000)) {
                state.SkipWithError("an edit did not leave");
                return;
            }
            const auto ms = [&](Clock::time_point at) {
                return std::chrono::duration<double, std::milli>(at - madeAt).count();
            };
            first.push_back(ms(rows.At(before)));
            whole.push_back(ms(rows.At(before + 1)));
        }
    }
    manager.Disconnect();
    state.counters["first_row_p50_ms"] = Percentile(first, 0.50);
    state.counters["first_row_p95_ms"] = Percentile(first, 0.95);
    state.counters["whole_edit_p50_ms"] = Percentile(whole, 0.50);
    state.counters["whole_edit_p95_ms"] = Percentile(whole, 0.95);
}

void BM_EditLatencyTcp(benchmark::State& state) {
    MeasureEdits(state, LinkKind::Network);
}
void BM_EditLatencySerial(benchmark::State& state) {
    MeasureEdits(state, LinkKind::Serial);
}
BENCHMARK(BM_EditLatencyTcp)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EditLatencySerial)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
