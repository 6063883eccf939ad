// SPDX-License-Identifier: GPL-3.0-or-later
// Costs of whole-program work: building and loading the device image (every
// bulk transfer), and reading and writing a program file (every load and
// save, where a load reads the bytes twice so that a bad file changes nothing).
#include <benchmark/benchmark.h>

#include <vector>

#include "model/Audio_Data.h"
#include "model/ProgramFile.h"

namespace {

void BM_ConstructProgram(benchmark::State& state) {
    for (auto _ : state) {
        CAudio_Data program;
        benchmark::DoNotOptimize(&program);
    }
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
    program.BuildImage();
    const CAudio_Data::Block block = program.GetImage();
    for (auto _ : state) {
        program.LoadBlock(block);
    }
}
BENCHMARK(BM_LoadBlock)->Unit(benchmark::kMicrosecond);

void BM_SerializeProgram(benchmark::State& state) {
    CAudio_Data program;
    for (auto _ : state) {
        std::vector<uint8_t> bytes = SerializeProgram(program);
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(BM_SerializeProgram)->Unit(benchmark::kMicrosecond);

void BM_DeserializeProgram(benchmark::State& state) {
    CAudio_Data program;
    const std::vector<uint8_t> bytes = SerializeProgram(program);
    for (auto _ : state) {
        benchmark::DoNotOptimize(DeserializeProgram(bytes, program));
    }
}
BENCHMARK(BM_DeserializeProgram)->Unit(benchmark::kMicrosecond);

}  // namespace
