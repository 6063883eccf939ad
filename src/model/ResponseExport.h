// SPDX-License-Identifier: GPL-3.0-or-later
// Every channel's summed EQ response on the display grid, written as JSON or
// CSV: one format for the command-line client's curve export and the
// editor's File menu, so a sheet made in either reads the same.
#pragma once

#include <array>
#include <ostream>
#include <string>
#include <vector>

#include "curves/FrequencyGrid.h"

class CAudio_Data;

struct NamedResponse {
    // "in0".."in2", "out0".."out5", "effect".
    std::string name;
    std::array<double, kGridPointCount> db;
};

// Inputs, outputs, then the effect.
std::vector<NamedResponse> ChannelResponses(const CAudio_Data& program);

// {"grid":[hz...],"channels":{"in0":[dB...],...}} and a newline.
void WriteResponsesJson(std::ostream& out, const std::vector<NamedResponse>& curves);
// A header "hz,in0,...", then one line per grid frequency.
void WriteResponsesCsv(std::ostream& out, const std::vector<NamedResponse>& curves);
