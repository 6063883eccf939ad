// SPDX-License-Identifier: GPL-3.0-or-later
// Costs of the response maths that runs on every drag step: one element's
// recalculation for each kind, family and slope, and the chain sums of a
// whole program. The target is under 10 microseconds per element.
#include <benchmark/benchmark.h>

#include <vector>

#include "model/EQ.h"

namespace {
const PixelRect kPlot{0, 0, 720, 300};

CFilter LaidOutElement(int kind, int family, int slope) {
    CFilter element;
    element.SetType(kind);
    element.SetFamily(family);
    element.SetSlope(slope);
    element.SetFrequency(kind == ElementType::kLowShelf ? 500 : 1500);
    element.SetGainIndex(260);
    element.Layout(kPlot);
    return element;
}

void BM_RecalculateBand(benchmark::State& state) {
    CFilter element =
        LaidOutElement(static_cast<int>(state.range(0)), 0, static_cast<int>(state.range(1)));
    for (auto _ : state) {
        element.Recalculate();
        benchmark::DoNotOptimize(element.GetResponse().data());
    }
}
BENCHMARK(BM_RecalculateBand)
    ->ArgNames({"kind", "slope"})
    ->Args({ElementType::kPeaking, 0})
    ->Args({ElementType::kLowShelf, 0})
    ->Args({ElementType::kLowShelf, 1})
    ->Args({ElementType::kHighShelf, 0})
    ->Args({ElementType::kHighShelf, 1});

void BM_RecalculateCrossover(benchmark::State& state) {
    CFilter element =
        LaidOutElement(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)),
                       static_cast<int>(state.range(2)));
    for (auto _ : state) {
        element.Recalculate();
        benchmark::DoNotOptimize(element.GetResponse().data());
    }
}
BENCHMARK(BM_RecalculateCrossover)
    ->ArgNames({"kind", "family", "slope"})
    ->ArgsProduct({{ElementType::kHighPass, ElementType::kLowPass}, {0, 1, 2}, {0, 1, 2, 3}});

// The ten chains of a program: three inputs of 18 elements, six outputs of 9, the effect's 5.
std::vector<CEQ> ProgramChains() {
    std::vector<CEQ> chains;
    chains.emplace_back(ChainLayout::MusicInput);
    chains.emplace_back(ChainLayout::MusicInput);
    chains.emplace_back(ChainLayout::MicrophoneInput);
    for (int i = 0; i < 6; ++i) {
        chains.emplace_back(ChainLayout::Output);
    }
    chains.emplace_back(ChainLayout::Effect);
    for (CEQ& chain : chains) {
        chain.Layout(kPlot);
        for (int i = 0; i < chain.GetBandCount(); ++i) {
            chain.GetElement(i).SetGainIndex(150 + 10 * i);
        }
        chain.GetHighPass().SetFrequency(60);
        chain.GetLowPass().SetFrequency(12000);
    }
    return chains;
}

void BM_SumAllChains(benchmark::State& state) {
    std::vector<CEQ> chains = ProgramChains();
    for (auto _ : state) {
        for (CEQ& chain : chains) {
            chain.SumResponse();
        }
        benchmark::DoNotOptimize(chains.back().GetSumCurve().data());
    }
}
BENCHMARK(BM_SumAllChains);

// What a program load or a device read costs: every element of every chain, then the sums.
void BM_RecalculateAndSumAllChains(benchmark::State& state) {
    std::vector<CEQ> chains = ProgramChains();
    for (auto _ : state) {
        for (CEQ& chain : chains) {
            for (int i = 0; i < chain.GetCount(); ++i) {
                chain.GetElement(i).Recalculate();
            }
            chain.SumResponse();
        }
        benchmark::DoNotOptimize(chains.back().GetSumCurve().data());
    }
}
BENCHMARK(BM_RecalculateAndSumAllChains)->Unit(benchmark::kMicrosecond);
}  // namespace
