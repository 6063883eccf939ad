// SPDX-License-Identifier: GPL-3.0-or-later
// The three maximum volumes (effect, microphone, music) as they stood at one
// moment: every received program's levels are held below them.
//
// The constraint: it is read once per received program, across a virtual
// call, so it must travel in one register. A three-byte aggregate is passed
// through memory a byte at a time and read back whole, and that read waits
// for the bytes to land (a few nanoseconds at each hand-over); the alignment
// pads it to four bytes, which compilers keep in a register.
#pragma once

#include <cstdint>

struct alignas(4) MaximumVolumes {
    uint8_t effect = 0;
    uint8_t microphone = 0;
    uint8_t music = 0;

    friend bool operator==(const MaximumVolumes&, const MaximumVolumes&) = default;
};
