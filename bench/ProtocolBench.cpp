// SPDX-License-Identifier: GPL-3.0-or-later
// Throughput of the two reply assemblers with the dispatcher behind them, as a
// ratio to a plain copy of the same bytes in the same run (AllocationCounter.h);
// the whole engine path with a request queued for every reply; and the cost of
// one change-scanner call on a program with every row pending.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "AllocationCounter.h"
#include "model/Audio_Data.h"
#include "protocol/ChangeScanner.h"
#include "protocol/DetachedEngine.h"
#include "protocol/Frame.h"
#include "protocol/ReplyDispatcher.h"
#include "protocol/StreamAssembler.h"
#include "protocol/UsbAssembler.h"

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

// A plain copy of the reply, the peer of the assemblers.
struct CopyReply {
    explicit CopyReply(const std::vector<uint8_t>& bytes) : reply(bytes), copy(bytes.size()) {}
    void operator()() {
        std::memcpy(copy.data(), reply.data(), reply.size());
        benchmark::DoNotOptimize(copy.data());
        benchmark::ClobberMemory();
    }
    const std::vector<uint8_t>& reply;
    std::vector<uint8_t> copy;
};

// What stands behind an assembler: the dispatcher with the application's
// stores. Nothing is queued, so a completed reply stores its program and
// removes nothing: the request side's allocations stay out of the figure.
struct Dispatch {
    Engine engine;
    ProgramBlock received{};
    ReplyDispatcher dispatcher{engine.command.Queue(), engine.targets, engine.events, received};
};

// Serial and network: the reply arrives in reads of `range(0)` bytes.
void BM_StreamAssembleProgramReply(benchmark::State& state) {
    const std::vector<uint8_t> reply = ProgramReply();
    const size_t readSize = static_cast<size_t>(state.range(0));
    StreamAssembler assembler;
    Dispatch behind;
    int dispatched = 0;
    RunAgainstPeer(
        state,
        [&] {
            for (size_t offset = 0; offset < reply.size(); offset += readSize) {
                const auto read = std::span<const uint8_t>(reply).subspan(
                    offset, std::min(readSize, reply.size() - offset));
                if (assembler.Feed(read) == StreamAssembler::Outcome::Complete) {
                    dispatched +=
                        behind.dispatcher.Dispatch(assembler.Frame()) == DispatchOutcome::Completed;
                }
            }
        },
        CopyReply(reply));
    if (dispatched != state.iterations()) {
        state.SkipWithError("a reply was not dispatched");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * reply.size()));
}
BENCHMARK(BM_StreamAssembleProgramReply)->Arg(50)->Arg(1200)->Arg(1500);

void BM_UsbAssembleProgramReply(benchmark::State& state) {
    std::vector<uint8_t> reports = ProgramReply();
    const std::vector<uint8_t> reply = reports;
    reports.resize((reports.size() + kReportData - 1) / kReportData * kReportData, 0);
    UsbAssembler assembler;
    Dispatch behind;
    int dispatched = 0;
    RunAgainstPeer(
        state,
        [&] {
            for (size_t offset = 0; offset < reports.size(); offset += kReportData) {
                if (assembler.Feed(
                        std::span<const uint8_t>(reports).subspan(offset, kReportData))) {
                    dispatched +=
                        !assembler.HasError() &&
                        behind.dispatcher.Dispatch(assembler.Frame()) == DispatchOutcome::Completed;
                    assembler.Reset();
                    break;
                }
            }
        },
        CopyReply(reply));
    if (dispatched != state.iterations()) {
        state.SkipWithError("a reply was not dispatched");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * reply.size()));
}
BENCHMARK(BM_UsbAssembleProgramReply);

// The whole engine path of one program read: the request is queued (its frame
// allocated), the reply assembled, dispatched and the request removed.
void BM_EngineProgramRead(benchmark::State& state) {
    const std::vector<uint8_t> reply = ProgramReply();
    Engine engine;
    RunAgainstPeer(
        state,
        [&] {
            engine.command.Post(BuildProgramRead());
            engine.command.FeedStream(reply);
        },
        CopyReply(reply));
    if (engine.command.Queue().Count() != 0) {
        state.SkipWithError("a reply was not dispatched");
    }
}
BENCHMARK(BM_EngineProgramRead);

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
