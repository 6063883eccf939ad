// SPDX-License-Identifier: GPL-3.0-or-later
// A recalculation runs on every step of a drag, so it must not touch the heap.
// This file counts every allocation of the whole test program through a
// replaced global operator new; the count is only read around the calls under
// test, so the other tests linked into the program are unaffected.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "model/EQ.h"

namespace {
std::atomic<long> gAllocationCount{0};
}  // namespace

void* operator new(std::size_t size) {
    gAllocationCount.fetch_add(1, std::memory_order_relaxed);
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
}

// The library's temporary buffers (a stable sort's) take the nothrow form; it
// must come from the same heap as the delete below.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    gAllocationCount.fetch_add(1, std::memory_order_relaxed);
    return std::malloc(size == 0 ? 1 : size);
}

void operator delete(void* memory, const std::nothrow_t&) noexcept {
    std::free(memory);
}

void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}

TEST(Recalculation, AllocatesNothing) {
    CEQ chain(ChainLayout::Output);
    chain.Layout(PixelRect{0, 0, 600, 300});
    CFilter& band = chain.GetElement(0);
    CFilter& shelf = chain.GetElement(1);
    shelf.SetType(ElementType::kLowShelf);
    CFilter& high = chain.GetHighPass();
    CFilter& low = chain.GetLowPass();
    // Something is counted at all, or the test would prove nothing.
    long before = gAllocationCount.load();
    // A direct call, because a new-expression may be optimised away.
    ::operator delete(::operator new(8));
    ASSERT_EQ(gAllocationCount.load(), before + 1);

    before = gAllocationCount.load();
    band.SetGainIndex(260);
    band.SetFrequency(2000);
    band.SetBandwidthIndex(99);
    band.Recalculate();
    shelf.SetGainIndex(150);
    shelf.SetSlope(1);
    for (int family = 0; family < 3; ++family) {
        for (int slope = 0; slope < 4; ++slope) {
            high.SetFamily(family);
            high.SetSlope(slope);
            high.SetFrequency(80);
            low.SetFamily(family);
            low.SetSlope(slope);
            low.SetFrequency(8000);
        }
    }
    chain.SumResponse();
    auto sum = chain.SumResponseDb();
    EXPECT_EQ(gAllocationCount.load(), before);
    EXPECT_LT(sum[0], -10.0) << "the work really happened";
}
