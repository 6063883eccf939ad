// SPDX-License-Identifier: GPL-3.0-or-later
// The peers of whole-program benchmarks: the floor of any work that touches
// every element of a program is recalculating each once and summing every
// chain, and the floor of keeping a program aside is copying its bytes.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "model/Audio_Data.h"

// Recalculates every element of `program` once and sums every chain.
struct RecalculateOnce {
    CAudio_Data& program;
    static void Chain(CEQ& chain) {
        for (int i = 0; i < chain.GetCount(); ++i) {
            chain.GetElement(i).Recalculate();
        }
        chain.SumResponse();
    }
    void operator()() {
        for (int i = 0; i < CAudio_InRoute::kCount; ++i) {
            Chain(program.GetInput(i).GetChain());
        }
        Chain(program.GetEffect().GetChain());
        for (int i = 0; i < CAudio_OutRoute::kCount; ++i) {
            Chain(program.GetOutput(i).GetChain());
        }
        benchmark::DoNotOptimize(&program);
    }
};

// Copies `bytes` into a new buffer, as keeping them aside at the least costs.
struct CopyBytes {
    const std::vector<uint8_t>& bytes;
    void operator()() const {
        std::vector<uint8_t> copy(bytes);
        benchmark::DoNotOptimize(copy.data());
    }
};
