// SPDX-License-Identifier: GPL-3.0-or-later
// Throughput of the two reply assemblers (with the dispatcher behind them)
// next to a plain copy of the same bytes, and the cost of one change-scanner
// call on a program with every row pending.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "model/Audio_Data.h"
#include "protocol/ChangeScanner.h"
#include "protocol/DetachedEngine.h"
#include "protocol/Frame.h"

namespace {

constexpr size_t kReportData = 64;

using Engine = DetachedEngine<>;

// A whole-program reply: the largest frame and the one that dominates traffic volume.
std::vector<uint8_t> ProgramReply() {
    std::vector<uint8_t> image(kMaxPayloadLength);
    for (size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<uint8_t>(i * 7);
    }
    return AssembleFrame({Command::kProgramRead, 0, 0, 0, 0xFF}, image);
}

void BM_CopyProgramReply(benchmark::State& state) {
    const std::vector<uint8_t> reply = ProgramReply();
    std::vector<uint8_t> destination(reply.size());
    for (auto _ : state) {
        std::memcpy(destination.data(), reply.data(), reply.size());
        benchmark::DoNotOptimize(destination.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * reply.size()));
}
BENCHMARK(BM_CopyProgramReply);

// Serial and network: the reply arrives in reads of `range(0)` bytes.
void BM_StreamAssembleProgramReply(benchmark::State& state) {
    const std::vector<uint8_t> reply = ProgramReply();
    const size_t readSize = static_cast<size_t>(state.range(0));
    Engine engine;
    for (auto _ : state) {
        engine.command.Post(BuildProgramRead());
        for (size_t offset = 0; offset < reply.size(); offset += readSize) {
            engine.command.FeedStream(std::span<const uint8_t>(reply).subspan(
                offset, std::min(readSize, reply.size() - offset)));
        }
    }
    if (engine.command.Queue().Count() != 0) {
        state.SkipWithError("a reply was not dispatched");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * reply.size()));
}
BENCHMARK(BM_StreamAssembleProgramReply)->Arg(50)->Arg(1200)->Arg(1500);

void BM_UsbAssembleProgramReply(benchmark::State& state) {
    std::vector<uint8_t> reply = ProgramReply();
    reply.resize((reply.size() + kReportData - 1) / kReportData * kReportData, 0);
    Engine engine;
    for (auto _ : state) {
        engine.command.Post(BuildProgramRead());
        for (size_t offset = 0; offset < reply.size(); offset += kReportData) {
            engine.command.FeedUsb(std::span<const uint8_t>(reply).subspan(offset, kReportData));
        }
    }
    if (engine.command.Queue().Count() != 0) {
        state.SkipWithError("a reply was not dispatched");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * reply.size()));
}
BENCHMARK(BM_UsbAssembleProgramReply);

// Marks every scanned row of the program as changed.
void FlagEveryRow(CAudio_Data& program) {
    for (int i = 0; i < 3; ++i) {
        CAudio_InData& input = program.GetInput(i);
        input.SetNameChanged(1);
        input.SetParamsChanged(1);
        for (int e = 0; e < input.GetChain().GetCount(); ++e) {
            input.GetChain().GetElement(e).SetDirty(1);
        }
    }
    CAudio_EffectData& effect = program.GetEffect();
    effect.SetFirstRowChanged(1);
    effect.SetSecondRowChanged(1);
    for (int e = 0; e < effect.GetChain().GetCount(); ++e) {
        effect.GetChain().GetElement(e).SetDirty(1);
    }
    for (int o = 0; o < 6; ++o) {
        CAudio_OutData& output = program.GetOutput(o);
        output.SetNameChanged(1);
        output.SetGainChanged(1);
        output.SetMixChanged(1);
        for (int e = 0; e < output.GetChain().GetCount(); ++e) {
            output.GetChain().GetElement(e).SetDirty(1);
        }
    }
}

// One scanner call that finds a change at the start of the scan. The flags are
// raised again, outside the timing, whenever the scan would run out of them.
void BM_NextPendingMessageEveryRowPending(benchmark::State& state) {
    CAudio_Data program;
    FlagEveryRow(program);
    int callsSinceFlagging = 0;
    for (auto _ : state) {
        if (++callsSinceFlagging == 100) {
            state.PauseTiming();
            FlagEveryRow(program);
            callsSinceFlagging = 0;
            state.ResumeTiming();
        }
        benchmark::DoNotOptimize(NextPendingMessage(program));
    }
}
BENCHMARK(BM_NextPendingMessageEveryRowPending);

// The worst single call: only the last output's gain row is pending, so the
// whole program is scanned before it is found.
void BM_NextPendingMessageLastRowOnly(benchmark::State& state) {
    CAudio_Data program;
    program.ClearPendingChanges();
    while (NextPendingMessage(program)->command != Command::kStatusPoll) {
    }
    for (auto _ : state) {
        program.GetOutput(5).SetGainChanged(1);
        benchmark::DoNotOptimize(NextPendingMessage(program));
    }
}
BENCHMARK(BM_NextPendingMessageLastRowOnly);

}  // namespace
