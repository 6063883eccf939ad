// SPDX-License-Identifier: GPL-3.0-or-later
// A fit as parameter edits, so that it reaches a program (and a device)
// through the same setters and checks as any typed or scripted edit: each
// fitted band's kind, slope or Q, frequency and gain, the same on in1 when
// the music pair is fitted and on every output linked to a fitted output, and
// the output's gain lowered by the largest boost.
#pragma once

#include <vector>

#include "model/ProgramParameters.h"
#include "roomeq/ChannelFit.h"

class CAudio_Data;

// Not const: the output link table is read through the program.
std::vector<ParameterEdit> RoomEqEdits(CAudio_Data& program, const ChannelFit& fit);
