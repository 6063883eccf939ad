// SPDX-License-Identifier: GPL-3.0-or-later
// One equaliser band as the device holds it: kind, whole-hertz frequency,
// bandwidth index 0..299, gain index 0..300 (0.1 dB steps, 200 is 0 dB) and
// the shelf slope index. The fit moves these codes and nothing finer.
#pragma once

#include <vector>

#include "curves/Response.h"
#include "curves/ResponseKinds.h"

inline constexpr int kFlatGainIndex = 200;
inline constexpr int kLowestGainIndex = 0;         // -20 dB
inline constexpr int kHighestPageGainIndex = 300;  // +10 dB, as the pages allow
inline constexpr int kShelfCornerLimit = 2000;

struct BandCode {
    int type = ElementType::kPeaking;
    int frequency = 1000;
    int bandwidthIndex = 29;
    int gainIndex = kFlatGainIndex;
    int slope = 0;

    double GainDb() const { return (gainIndex - kFlatGainIndex) * 0.1; }
    friend bool operator==(const BandCode&, const BandCode&) = default;
};

// What the response maths needs; a band at 0 dB is bypassed, as the device has it.
ElementResponseInput ResponseInputOf(const BandCode& band);

// One whole-hertz code for each display-grid point from 20 Hz to 20 kHz, in
// increasing order. Bands are designed at the grid point nearest their
// frequency, so codes between two of these give one of their responses:
// searching these finds every response a band can have.
const std::vector<int>& FrequencyCodes();
