// SPDX-License-Identifier: GPL-3.0-or-later
// Every parameter the pages edit, named by its parameter path and valued in
// the pages' own units: reading them all from a program, and changing them
// through the same setters, ranges and rules as the pages, so that the
// change flags carry each edit to a connected device exactly as an edit in
// the editor would.
//
// Which fields a path may name:
//   bands of in0..in2 and out0..out5: type, slope (shelves), freq, q (peaking
//     bands), gain, bypass; bands of fx: freq, q, gain, bypass;
//   hp and lp: freq, and on the outputs slope and family;
//   in2: feedback, auto-decay;
//   fx: reverb.direct, reverb.time, reverb.predelay, reverb.hidamp,
//     reverb.volume, echo.hidamp, echo.left.delay, echo.left.predelay,
//     echo.left.repeat, echo.right.delay, echo.right.predelay,
//     echo.right.repeat, echo.volume, echo.direct, noisegate;
//   out0..out5: gain, delay, limiter.threshold, limiter.attack,
//     limiter.release, mix.music, mix.mic, mix.music-on, mix.mic-on.
//
// The constraint: a band's fields are listed type first and bypass last,
// because a type sets the frequency range and a gain other than 0 dB clears
// the bypass; edits are always made in that order, so a listing replayed as
// edits rebuilds the program.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "model/ParameterPath.h"

class CAudio_Data;

struct ParameterEdit {
    ParameterPath path;
    int32_t code = 0;
    // "PATH=VALUE" as it was written, for messages.
    std::string written;
};

// A path and its value as a JSON token.
using ParameterValue = std::pair<std::string, std::string>;

// Every parameter of the program that the pages show, in replay order.
std::vector<ParameterValue> ReadProgramParameters(CAudio_Data& program);

// "PATH=VALUE", checked against the field's widest range; or the one-line reason it is wrong.
std::variant<ParameterEdit, std::string> ParseParameterEdit(std::string_view assignment);

// The one-line reason the first edit that the program cannot take as written
// fails: a frequency outside its shelf's range, a field the element does not
// have, a bypass a 0 dB band cannot leave, a high-pass above its low-pass.
// The edits are tried on a copy; the program itself is not changed.
std::optional<std::string> CheckParameterEdits(CAudio_Data& program,
                                               std::span<const ParameterEdit> edits);

// Applies checked edits through the pages' setters. The edits of one call are
// taken as one set of values: each band's type is set before its frequency
// and its gain before its bypass, whatever their order in `edits`.
void ApplyParameterEdits(CAudio_Data& program, std::span<const ParameterEdit> edits);
