// SPDX-License-Identifier: GPL-3.0-or-later
// What `autoeq` prints: the channel, each band it set (path, type, frequency,
// Q or slope, gain), the output gain change, the error before and after over
// the range, and what was left uncorrected and why.
#pragma once

#include <string>
#include <vector>

#include "commands/ParameterJson.h"
#include "roomeq/ChannelFit.h"

namespace cli {

std::vector<JsonMember> AutoEqReport(const PreparedMeasurement& measurement, const ChannelFit& fit,
                                     const ChannelFitOptions& options);

}  // namespace cli
