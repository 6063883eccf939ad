// SPDX-License-Identifier: GPL-3.0-or-later
// The crossover edits of the output page: frequency, slope and family of the
// shown output's high-pass or low-pass, each repeated on the same filter of
// every linked output. A typed frequency that would cross the other filter
// stops at it, so the high-pass never lies above the low-pass.
//
// The constraint: each function changes several outputs at once, so the
// caller holds the queue lock (runs it inside `EditProgram`) for the whole call.
#pragma once

class CAudio_Data;
class CAudio_OutData;
class CFilter;

enum class CrossoverSide { HighPass, LowPass };

inline constexpr int kLowestCrossoverFrequency = 20;
inline constexpr int kHighestCrossoverFrequency = 20000;

CFilter& CrossoverFilter(CAudio_OutData& output, CrossoverSide side);
CrossoverSide OtherCrossoverSide(CrossoverSide side);

// The frequency `hertz` becomes on `side` of a chain whose other filter is at
// `otherHertz`.
int LimitCrossoverFrequency(CrossoverSide side, int hertz, int otherHertz);

// The shown filter holds the outcome; the page reads it back to show it.
void SetCrossoverFrequency(CAudio_Data& program, int output, CrossoverSide side, int hertz);
void SetCrossoverSlope(CAudio_Data& program, int output, CrossoverSide side, int slope);
void SetCrossoverFamily(CAudio_Data& program, int output, CrossoverSide side, int family);

// After a change to the shown filter (a graph drag): every linked output's
// filter takes its frequency, slope and family.
void RepeatCrossoverOnLinkedOutputs(CAudio_Data& program, int output, CrossoverSide side);
