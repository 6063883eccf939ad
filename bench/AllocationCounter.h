// SPDX-License-Identifier: GPL-3.0-or-later
// Heap allocations of the whole bench program, counted by a replaced global
// operator new, and a way to run a benchmark next to its peer: the loop under
// test and a reference doing the same job the plain way, run the same number
// of times in the same process, so a figure reads as a ratio that a busy
// machine disturbs far less than the raw time.
#pragma once

#include <benchmark/benchmark.h>

#include <time.h>

#include <cstdint>

// Allocations made so far by this process.
long AllocationCount();

// CPU time of the calling thread in nanoseconds: on a shared machine the wall
// clock also counts the time other programs hold the processor.
inline double ThreadCpuNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e9 + static_cast<double>(now.tv_nsec);
}

// Runs `peer` as many times as the body ran and reports "allocs" (heap
// allocations per iteration of the body), "peer_ns" (the peer's CPU time per
// iteration) and "x_peer" (the body's CPU time over the peer's).
template <class Peer>
void ReportAgainstPeer(benchmark::State& state, double bodyNanoseconds, long allocations,
                       Peer&& peer) {
    const int64_t iterations = state.iterations();
    const double peerStart = ThreadCpuNanoseconds();
    for (int64_t i = 0; i < iterations; ++i) {
        peer();
    }
    const double theirs = ThreadCpuNanoseconds() - peerStart;
    const double perIteration = iterations > 0 ? 1.0 / static_cast<double>(iterations) : 0.0;
    state.counters["allocs"] = static_cast<double>(allocations) * perIteration;
    state.counters["peer_ns"] = theirs * perIteration;
    state.counters["x_peer"] = theirs > 0.0 ? bodyNanoseconds / theirs : 0.0;
}

// Runs `body` as the timed loop, then `peer` as many times (ReportAgainstPeer).
template <class Body, class Peer>
void RunAgainstPeer(benchmark::State& state, Body&& body, Peer&& peer) {
    const long allocationsBefore = AllocationCount();
    const double start = ThreadCpuNanoseconds();
    for (auto _ : state) {
        body();
    }
    const double ours = ThreadCpuNanoseconds() - start;
    ReportAgainstPeer(state, ours, AllocationCount() - allocationsBefore, peer);
}

// As RunAgainstPeer, for a body that consumes something prepared for it (a
// queued request for each reply): `prepare(batch)` readies `batch` iterations
// and runs before every batch, outside the measured time and allocations.
template <class Prepare, class Body, class Peer>
void RunAgainstPeerPrepared(benchmark::State& state, int64_t batch, Prepare&& prepare, Body&& body,
                            Peer&& peer) {
    long allocations = 0;
    double ours = 0.0;
    int64_t left = 0;
    long allocationsBefore = AllocationCount();
    double start = ThreadCpuNanoseconds();
    for (auto _ : state) {
        if (left == 0) {
            ours += ThreadCpuNanoseconds() - start;
            allocations += AllocationCount() - allocationsBefore;
            state.PauseTiming();
            prepare(batch);
            state.ResumeTiming();
            left = batch;
            allocationsBefore = AllocationCount();
            start = ThreadCpuNanoseconds();
        }
        --left;
        body();
    }
    ours += ThreadCpuNanoseconds() - start;
    allocations += AllocationCount() - allocationsBefore;
    ReportAgainstPeer(state, ours, allocations, peer);
}
