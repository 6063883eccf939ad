// SPDX-License-Identifier: GPL-3.0-or-later
// Costs of undo, redo and A/B compare: a snapshot is taken after every user
// edit (it must stay well below a frame so typing and dragging never lag),
// and a restore, which flags the differing rows, runs on every undo, redo
// and A/B switch.
#include <benchmark/benchmark.h>

#include "model/Audio_Data.h"
#include "model/ProgramHistory.h"
#include "model/ProgramSnapshot.h"

namespace {

void BM_TakeSnapshot(benchmark::State& state) {
    CAudio_Data program;
    for (auto _ : state) {
        ProgramSnapshot snapshot = TakeSnapshot(program);
        benchmark::DoNotOptimize(snapshot.archive.data());
    }
}
BENCHMARK(BM_TakeSnapshot)->Unit(benchmark::kMicrosecond);

// One edit and its commit, as the editor does after each typed value.
void BM_EditAndCommit(benchmark::State& state) {
    CAudio_Data program;
    ProgramHistory history;
    history.Reset(TakeSnapshot(program));
    int gain = 0;
    for (auto _ : state) {
        program.GetOutput(2).GetBand(3).SetGainIndex(150 + (gain++ % 100));
        benchmark::DoNotOptimize(history.Commit(TakeSnapshot(program)));
    }
}
BENCHMARK(BM_EditAndCommit)->Unit(benchmark::kMicrosecond);

// An A/B switch between two programs that differ in every output.
void BM_RestoreSnapshot(benchmark::State& state) {
    CAudio_Data program;
    const ProgramSnapshot a = TakeSnapshot(program);
    for (int output = 0; output < CAudio_OutRoute::kCount; ++output) {
        program.GetOutput(output).GetBand(1).SetGainIndex(230);
        program.GetOutput(output).SetDelay(40);
    }
    const ProgramSnapshot b = TakeSnapshot(program);
    bool toA = true;
    for (auto _ : state) {
        RestoreSnapshot(program, toA ? a : b);
        toA = !toA;
    }
}
BENCHMARK(BM_RestoreSnapshot)->Unit(benchmark::kMicrosecond);

}  // namespace
