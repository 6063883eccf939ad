// SPDX-License-Identifier: GPL-3.0-or-later
// What every owner of the engine (the editor's view, the command-line
// client) does when the engine reports a received program or effect record:
// take a consistent copy of the received block, force its fixed crossover
// fields and load it into the program.
//
// The constraint: call these on the thread that owns the program; the copy
// and the load each take the queue lock, because over USB the worker writes
// the block and scans the program for changes while holding it.
#pragma once

class CAudio_Data;
class CCommand;

void LoadReceivedProgram(CCommand& engine, CAudio_Data& program);
void LoadReceivedEffectRecord(CCommand& engine, CAudio_Data& program);
