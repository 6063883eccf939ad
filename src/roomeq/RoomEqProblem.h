// SPDX-License-Identifier: GPL-3.0-or-later
// Why a measurement, calibration or target file, or a fit's settings, cannot
// be used: one message naming the file and, where there is one, the line.
#pragma once

#include <string>

#include "curves/BilingualText.h"

enum class RoomEqProblemKind {
    CannotRead,     // the file could not be opened or read
    NoNumbers,      // no row of numbers at all
    NotANumber,     // a field that should be a number is not, or is NaN or infinite
    TooFewColumns,  // a row shorter than the columns in use
    NotIncreasing,  // a frequency not above the one before it
    BadFrequency,   // a frequency of zero or below
    NoSuchColumn,   // --column names no column of the header
    TooFewPoints,   // fewer than 10 points inside the fitting range
    NoOverlap,      // positions that share too little of the range
    BadSetting,     // a setting out of its range (the detail says which)
};

struct RoomEqProblem {
    RoomEqProblemKind kind = RoomEqProblemKind::CannotRead;
    std::string file;
    // 1-based; 0 when the problem belongs to no one line.
    int line = 0;
    // The offending text, column name or setting.
    std::string detail;
};

// One line, in the language asked for: "room.txt, line 12: ...".
std::string DescribeProblem(const RoomEqProblem& problem, Language language);
