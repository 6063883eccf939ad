// SPDX-License-Identifier: GPL-3.0-or-later
// Costs of whole-program work: building a program, building and loading the
// device image (every bulk transfer), and reading and writing a program file
// (every load and save, where a load reads the bytes twice so that a bad file
// changes nothing). Construction and the loads run next to their floor as a
// peer: every element of a program recalculated once and every chain summed.
#include <benchmark/benchmark.h>

#include <vector>

#include "AllocationCounter.h"
#include "ProgramPeers.h"
#include "model/Audio_Data.h"
#include "model/ProgramFile.h"

namespace {

const PixelRect kPlot{0, 0, 720, 300};

// A program with something in every chain, as a user's file would have.
void Shape(CAudio_Data& program) {
    auto shapeChain = [](CEQ& chain) {
        for (int i = 0; i < chain.GetBandCount(); ++i) {
            chain.GetElement(i).SetGainIndex(150 + 10 * (i % 10));
        }
        chain.GetHighPass().SetFrequency(60);
        chain.GetLowPass().SetFrequency(12000);
    };
    for (int i = 0; i < CAudio_InRoute::kCount; ++i) {
        shapeChain(program.GetInput(i).GetChain());
    }
    shapeChain(program.GetEffect().GetChain());
    for (int i = 0; i < CAudio_OutRoute::kCount; ++i) {
        shapeChain(program.GetOutput(i).GetChain());
    }
}

void BM_ConstructProgram(benchmark::State& state) {
    CAudio_Data reference;
    RunAgainstPeer(
        state,
        [] {
            CAudio_Data program;
            benchmark::DoNotOptimize(&program);
        },
        RecalculateOnce{reference});
}
BENCHMARK(BM_ConstructProgram)->Unit(benchmark::kMicrosecond);

void BM_BuildImage(benchmark::State& state) {
    CAudio_Data program;
    for (auto _ : state) {
        program.BuildImage();
        benchmark::DoNotOptimize(program.GetImage().data());
    }
}
BENCHMARK(BM_BuildImage)->Unit(benchmark::kMicrosecond);

void BM_LoadBlock(benchmark::State& state) {
    CAudio_Data program;
    program.SetPlotRect(kPlot);
    Shape(program);
    program.BuildImage();
    const CAudio_Data::Block block = program.GetImage();
    RunAgainstPeer(
        state, [&] { program.LoadBlock(block); }, RecalculateOnce{program});
}
BENCHMARK(BM_LoadBlock)->Unit(benchmark::kMicrosecond);

void BM_SerializeProgram(benchmark::State& state) {
    CAudio_Data program;
    Shape(program);
    for (auto _ : state) {
        std::vector<uint8_t> bytes = SerializeProgram(program);
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(BM_SerializeProgram)->Unit(benchmark::kMicrosecond);

// Loading a program file's bytes into the editor's program.
void BM_DeserializeProgram(benchmark::State& state) {
    CAudio_Data program;
    program.SetPlotRect(kPlot);
    Shape(program);
    const std::vector<uint8_t> bytes = SerializeProgram(program);
    RunAgainstPeer(
        state, [&] { benchmark::DoNotOptimize(DeserializeProgram(bytes, program)); },
        RecalculateOnce{program});
}
BENCHMARK(BM_DeserializeProgram)->Unit(benchmark::kMicrosecond);

}  // namespace
