// SPDX-License-Identifier: GPL-3.0-or-later
// The loops over every grid point that run on each drag step are built twice,
// for the baseline processor and for one with 256-bit vectors, and the loader
// picks the one the machine has. Both give the same results to the bit: the
// loops work point by point, and neither build fuses a multiply into an add.
// A loop the compiler will not vectorise well on its own is written out with
// 256-bit intrinsics instead, behind SONAVEL_WIDE_VECTOR_INTRINSICS, and
// chosen at run time next to a plain version that tests hold it against.
#pragma once

#if defined(__x86_64__) && defined(__ELF__) && (defined(__GNUC__) || defined(__clang__))
#define SONAVEL_WIDE_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#define SONAVEL_WIDE_VECTOR_INTRINSICS 1
#define SONAVEL_WIDE_VECTOR_TARGET __attribute__((target("avx2")))

// True when this processor runs the 256-bit intrinsics; asked once.
inline bool WideVectorsAvailable() {
    static const bool available = __builtin_cpu_supports("avx2");
    return available;
}
#else
#define SONAVEL_WIDE_VECTOR_CLONES
#define SONAVEL_WIDE_VECTOR_INTRINSICS 0
#endif
