// SPDX-License-Identifier: GPL-3.0-or-later
// Costs of undo, redo and A/B compare: a snapshot is taken after every user
// edit (it must stay well below a frame so typing and dragging never lag),
// and a restore, which flags the differing rows, runs on every undo, redo
// and A/B switch. Taking a snapshot runs next to copying the bytes it keeps;
// a restore, which loads a whole program, next to recalculating one.
#include <benchmark/benchmark.h>

#include "AllocationCounter.h"
#include "ProgramPeers.h"

#include "model/Audio_Data.h"
#include "model/ProgramHistory.h"
#include "model/ProgramSnapshot.h"

namespace {

void BM_TakeSnapshot(benchmark::State& state) {
    CAudio_Data program;
    const std::vector<uint8_t> kept = TakeSnapshot(program).archive;
    RunAgainstPeer(
        state,
        [&] {
            ProgramSnapshot snapshot = TakeSnapshot(program);
            benchmark::DoNotOptimize(snapshot.archive.data());
        },
        CopyBytes{kept});
}
BENCHMARK(BM_TakeSnapshot)->Unit(benchmark::kMicrosecond);

// One edit and its commit, as the editor does after each typed value.
void BM_EditAndCommit(benchmark::State& state) {
    CAudio_Data program;
    ProgramHistory history;
    history.Reset(TakeSnapshot(program));
    const std::vector<uint8_t> kept = history.Current().archive;
    int gain = 0;
    RunAgainstPeer(
        state,
        [&] {
            program.GetOutput(2).GetBand(3).SetGainIndex(150 + (gain++ % 100));
            benchmark::DoNotOptimize(history.Commit(TakeSnapshot(program)));
        },
        CopyBytes{kept});
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
    RunAgainstPeer(
        state,
        [&] {
            RestoreSnapshot(program, toA ? a : b);
            toA = !toA;
        },
        RecalculateOnce{program});
}
BENCHMARK(BM_RestoreSnapshot)->Unit(benchmark::kMicrosecond);

}  // namespace
