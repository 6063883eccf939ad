// SPDX-License-Identifier: GPL-3.0-or-later
// Every value the pages edit, read out of a program as one flat list in a
// fixed order, so that two moments of the same program can be compared value
// by value and a change can be named the way a technician would say it
// ("gain of band 5, output 2").
//
// The constraint: the list's order depends only on the program's fixed shape
// (three inputs, the effect, six outputs and their chain lengths), so lists
// taken at different times line up index by index.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CAudio_Data;

// What one entry of the list is.
struct ProgramFieldId {
    // 0..2 inputs, 3 the effect, 4..9 outputs, 10 the program as a whole.
    int channel = 0;
    // -1 for a value of the channel itself, else the element's chain index.
    int element = -1;
    int kind = 0;
    // Which one of a repeated value (effect parameter, effect code, output link).
    int sub = 0;
};

// A name in both interface languages (UTF-8).
struct ProgramChangeName {
    std::string english;
    std::string chinese;
};

inline constexpr int kEffectFieldChannel = 3;
inline constexpr int kFirstOutputFieldChannel = 4;
inline constexpr int kProgramFieldChannel = 10;

// The ids of the list, in list order; the same for every program.
const std::vector<ProgramFieldId>& ProgramFieldLayout();
// The values of `program`, one per id of the layout.
std::vector<int32_t> ReadProgramFields(CAudio_Data& program);

// Indices of the layout whose values differ between the two lists.
std::vector<size_t> DifferingFields(const std::vector<int32_t>& before,
                                    const std::vector<int32_t>& after);
// Names the change made of the fields at `changed`: one value ("gain of band 5, output 2"),
// the same value on linked channels, one element, one channel, or else several changes.
ProgramChangeName NameChange(const std::vector<size_t>& changed);
