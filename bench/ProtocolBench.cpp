// SPDX-License-Identifier: GPL-3.0-or-later
// Throughput of the editor's two reply paths (assembler, dispatcher and queue,
// as the links drive the engine), as a ratio to a plain copy of the same bytes
// in the same run (AllocationCounter.h); the whole engine path including the
// request's own allocation; and the cost of one change-scanner call on a
// program with every row pending.
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
#include "protocol/Requests.h"

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

// Reads and reports come in batches as large as this; each batch's requests
// are queued outside the measured time.
constexpr int64_t kRequestBatch = 1024;

// Program reads the device is answering, as a read transfer leaves them at the
// head of the queue: sent once, waiting long, ending the transfer that waits
// for their outcome. The request side (building and queueing them) is
// BM_EngineProgramRead's figure, not the reply path's.
void QueueSentProgramReads(CCommand& command, int64_t count) {
    const CSendDataQueue::Guard guard = command.Queue().Lock();
    for (int64_t i = 0; i < count; ++i) {
        std::unique_ptr<CSendData> request = BuildProgramRead();
        request->pending = false;
        request->sends = 1;
        request->longWait = true;
        request->endOfRead = true;
        request->ticket = 1;
        command.Post(std::move(request));
    }
}

// Feeds one reply per iteration through `feedReply(engine)`, each answering a
// program read queued before its batch, and checks that every reply answered one.
template <class FeedReply>
void RunReplyPath(benchmark::State& state, const std::vector<uint8_t>& reply,
                  FeedReply&& feedReply) {
    Engine engine;
    int64_t queued = 0;
    RunAgainstPeerPrepared(
        state, kRequestBatch,
        [&](int64_t count) {
            QueueSentProgramReads(engine.command, count);
            queued += count;
        },
        [&] { feedReply(engine); }, CopyReply(reply));
    if (queued - engine.command.Queue().Count() != state.iterations()) {
        state.SkipWithError("a reply was not dispatched");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * reply.size()));
}

// Serial and network: the reply to the program read at the head of the queue
// arrives in reads of `range(0)` bytes, each handed to the engine as the links
// hand theirs. What is measured is all the editor does with them: the stream
// assembler, then, under the queue lock the engine takes, the match against
// the head, the copy into the received block and its limiting by the system
// data, the events, and the removal and destruction of the answered head.
void BM_StreamAssembleProgramReply(benchmark::State& state) {
    const std::vector<uint8_t> reply = ProgramReply();
    const size_t readSize = static_cast<size_t>(state.range(0));
    RunReplyPath(state, reply, [&](Engine& engine) {
        for (size_t offset = 0; offset < reply.size(); offset += readSize) {
            engine.command.FeedStream(std::span<const uint8_t>(reply).subspan(
                offset, std::min(readSize, reply.size() - offset)));
        }
    });
}
BENCHMARK(BM_StreamAssembleProgramReply)->Arg(50)->Arg(1200)->Arg(1500);

// USB: the same reply in 64-byte reports (the last one padded) through the
// engine's USB path, as the worker feeds it, with the same work behind it.
void BM_UsbAssembleProgramReply(benchmark::State& state) {
    std::vector<uint8_t> reports = ProgramReply();
    const std::vector<uint8_t> reply = reports;
    reports.resize((reports.size() + kReportData - 1) / kReportData * kReportData, 0);
    RunReplyPath(state, reply, [&](Engine& engine) {
        for (size_t offset = 0; offset < reports.size(); offset += kReportData) {
            if (engine.command
                    .FeedUsb(std::span<const uint8_t>(reports).subspan(offset, kReportData))
                    .frameComplete) {
                break;
            }
        }
    });
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
