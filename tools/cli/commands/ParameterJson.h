// SPDX-License-Identifier: GPL-3.0-or-later
// What `show` and `diff` print: JSON objects keyed by parameter paths, one
// member per line so that a line names one parameter and grep finds it.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "model/ProgramParameters.h"

namespace cli {

// A member name and its value, already a JSON token.
using JsonMember = std::pair<std::string, std::string>;

std::string JsonObject(const std::vector<JsonMember>& members);

// The paths whose values differ, each with [value in a, value in b]; a path
// only one side has (a band of another kind) has null on the other side.
std::vector<JsonMember> ParameterDifferences(const std::vector<ParameterValue>& a,
                                             const std::vector<ParameterValue>& b);

}  // namespace cli
