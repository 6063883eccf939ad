// SPDX-License-Identifier: GPL-3.0-or-later
// Costs of the response maths that runs on every drag step: one element's
// recalculation for each kind, family and slope, a drag step, and the chain
// sums of a whole program. Each is run next to a peer (AllocationCounter.h):
// the element against a textbook evaluation of the same sections with complex
// numbers, the sums against plain additions of the same responses.
#include <benchmark/benchmark.h>

#include <cmath>
#include <complex>
#include <vector>

#include "AllocationCounter.h"
#include "curves/CrossoverDesign.h"
#include "curves/Response.h"
#include "model/Audio_InData.h"
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

// The textbook way: H(e^jw) of each section with complex arithmetic, its
// magnitude in dB, summed over the cascade.
struct TextbookResponse {
    explicit TextbookResponse(std::vector<BiquadSection> designed) : sections(std::move(designed)) {
        for (int i = 0; i < kGridPointCount; ++i) {
            const double omega = GridFrequencies()[i] * kEvaluationTwoPi / kSampleRate;
            z[i] = std::polar(1.0, -omega);
        }
    }
    void operator()() {
        for (int i = 0; i < kGridPointCount; ++i) {
            double db = 0.0;
            for (const BiquadSection& s : sections) {
                const std::complex<double> zi = z[i];
                const std::complex<double> h =
                    (s.b0 + zi * (s.b1 + zi * s.b2)) / (s.a0 + zi * (s.a1 + zi * s.a2));
                db += 20.0 * std::log10(std::abs(h));
            }
            response[i] = db;
        }
        benchmark::DoNotOptimize(response.data());
    }
    std::vector<BiquadSection> sections;
    std::array<std::complex<double>, kGridPointCount> z{};
    GridResponse response{};
};

std::vector<BiquadSection> SectionsOf(const CFilter& element) {
    const int kind = element.GetType();
    const double centre = NearestGridFrequency(element.GetFrequency());
    if (kind == ElementType::kPeaking) {
        return {DesignPeaking(centre, element.GetGain(), element.GetBandwidth())};
    }
    if (kind == ElementType::kLowShelf || kind == ElementType::kHighShelf) {
        return {DesignShelf(kind, centre, element.GetGain(), element.GetSlope())};
    }
    const CrossoverSections design =
        DesignCrossover(kind, element.GetFrequency(), element.GetFamily(), element.GetSlope());
    const auto view = design.View();
    return {view.begin(), view.end()};
}

void RecalculateAgainstTextbook(benchmark::State& state, CFilter& element) {
    TextbookResponse textbook(SectionsOf(element));
    RunAgainstPeer(
        state,
        [&] {
            element.Recalculate();
            benchmark::DoNotOptimize(element.GetCurve().data());
        },
        textbook);
}

void BM_RecalculateBand(benchmark::State& state) {
    CFilter element =
        LaidOutElement(static_cast<int>(state.range(0)), 0, static_cast<int>(state.range(1)));
    RecalculateAgainstTextbook(state, element);
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
    RecalculateAgainstTextbook(state, element);
}
BENCHMARK(BM_RecalculateCrossover)
    ->ArgNames({"kind", "family", "slope"})
    ->ArgsProduct({{ElementType::kHighPass, ElementType::kLowPass}, {0, 1, 2}, {0, 1, 2, 3}});

// One step of dragging a band's marker on the graph: a new frequency and gain,
// then the channel's curve from the chain's sum.
void BM_DragStep(benchmark::State& state) {
    CAudio_InData microphone(2);
    microphone.SetPlotRect(kPlot);
    CFilter& band = microphone.GetChain().GetElement(3);
    TextbookResponse textbook({DesignPeaking(1000.0, 6.0, 0.3)});
    int step = 0;
    RunAgainstPeer(
        state,
        [&] {
            band.SetFrequency(900 + (step % 40) * 10);
            band.SetGainIndex(step % 2 == 0 ? 260 : 140);
            microphone.UpdateCurve();
            benchmark::DoNotOptimize(microphone.GetCurve().Points().data());
            ++step;
        },
        textbook);
}
BENCHMARK(BM_DragStep);

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

// The peer of a sum: the same responses added point by point, nothing drawn.
struct PlainSums {
    explicit PlainSums(const std::vector<CEQ>& chains) : chains(chains), sums(chains.size()) {}
    void operator()() {
        for (size_t c = 0; c < chains.size(); ++c) {
            GridResponse& sum = sums[c];
            sum.fill(0.0);
            for (int e = 0; e < chains[c].GetCount(); ++e) {
                const GridResponse& response = chains[c].GetElement(e).GetResponse();
                for (int i = 0; i < kGridPointCount; ++i) {
                    sum[i] += response[i];
                }
            }
        }
        benchmark::DoNotOptimize(sums.back().data());
    }
    const std::vector<CEQ>& chains;
    std::vector<GridResponse> sums;
};

void BM_SumAllChains(benchmark::State& state) {
    std::vector<CEQ> chains = ProgramChains();
    RunAgainstPeer(
        state,
        [&] {
            for (CEQ& chain : chains) {
                chain.SumResponse();
            }
            benchmark::DoNotOptimize(chains.back().GetSumCurve().data());
        },
        PlainSums(chains));
}
BENCHMARK(BM_SumAllChains);

// What a program load or a device read costs at the least: every element of
// every chain recalculated once, then the sums.
void BM_RecalculateAndSumAllChains(benchmark::State& state) {
    std::vector<CEQ> chains = ProgramChains();
    RunAgainstPeer(
        state,
        [&] {
            for (CEQ& chain : chains) {
                for (int i = 0; i < chain.GetCount(); ++i) {
                    chain.GetElement(i).Recalculate();
                }
                chain.SumResponse();
            }
            benchmark::DoNotOptimize(chains.back().GetSumCurve().data());
        },
        PlainSums(chains));
}
BENCHMARK(BM_RecalculateAndSumAllChains)->Unit(benchmark::kMicrosecond);
}  // namespace
