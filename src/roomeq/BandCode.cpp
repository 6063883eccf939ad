// SPDX-License-Identifier: GPL-3.0-or-later
#include "roomeq/BandCode.h"

#include <algorithm>
#include <cmath>

#include "curves/FrequencyGrid.h"

ElementResponseInput ResponseInputOf(const BandCode& band) {
    ElementResponseInput input;
    input.kind = band.type;
    input.frequency = band.frequency;
    input.gain = band.GainDb();
    input.bandwidth = 0.01 * band.bandwidthIndex + 0.01;
    input.slope = band.slope;
    input.bypassed = band.gainIndex == kFlatGainIndex;
    return input;
}

const std::vector<int>& FrequencyCodes() {
    static const std::vector<int> codes = [] {
        std::vector<int> built;
        for (int i = 0; i < kGridPointCount; ++i) {
            const int code =
                std::clamp(static_cast<int>(std::lround(GridFrequencies()[i])), 20, 20000);
            if (NearestGridIndex(code) == i && (built.empty() || built.back() != code)) {
                built.push_back(code);
            }
        }
        return built;
    }();
    return codes;
}
