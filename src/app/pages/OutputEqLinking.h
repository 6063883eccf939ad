// SPDX-License-Identifier: GPL-3.0-or-later
// How the output page carries its band edits over to the outputs linked with
// the one it shows: a row's edit runs on the same band of every partner, a
// band dragged on the graph is taken over whole, and "All Bypass" reaches the
// partners only when it took effect on the shown output.
//
// The constraint: each function changes several outputs at once, so the
// caller holds the queue lock (runs it inside `EditProgram`) for the whole call.
#pragma once

#include "app/pages/EqBandTableEdits.h"

class CAudio_Data;

// Runs `change` on band `band` of output `output`, then of every linked output.
void ApplyBandChangeToLinkedOutputs(CAudio_Data& program, int output, int band,
                                    const BandChange& change);

// After a graph drag of band `band` of output `output`: every linked output's
// band becomes the same and is marked for sending.
void RepeatDraggedBandOnLinkedOutputs(CAudio_Data& program, int output, int band);

// Presses the "All Bypass" switch of output `output`; returns whether all its
// bands report a bypass state afterwards (what the switch shows).
bool PressAllBypass(CAudio_Data& program, int output);
