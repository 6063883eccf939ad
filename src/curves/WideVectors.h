// SPDX-License-Identifier: GPL-3.0-or-later
// The loops over every grid point that run on each drag step are built twice,
// for the baseline processor and for one with 256-bit vectors, and the loader
// picks the one the machine has. Both give the same results to the bit: the
// loops work point by point, and neither build fuses a multiply into an add.
#pragma once

#if defined(__x86_64__) && defined(__ELF__) && (defined(__GNUC__) || defined(__clang__))
#define SONAVEL_WIDE_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define SONAVEL_WIDE_VECTOR_CLONES
#endif
