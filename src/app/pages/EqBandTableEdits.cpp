// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/EqBandTableEdits.h"

#include <algorithm>

#include "curves/ResponseKinds.h"
#include "model/Filter.h"

FrequencyRange BandFrequencyRange(int kind) {
    switch (kind) {
        case ElementType::kLowShelf:
            return {kLowestBandFrequency, kShelfFrequencyBoundary};
        case ElementType::kHighShelf:
            return {kShelfFrequencyBoundary, kHighestBandFrequency};
        default:
            return {};
    }
}

BandChange MakeBandChange(BandEditKind kind, int value) {
    switch (kind) {
        case BandEditKind::Type:
            return [value](CFilter& band) {
                band.SetType(value);
                const FrequencyRange range = BandFrequencyRange(value);
                const int frequency = band.GetFrequency();
                const int limited = std::clamp(frequency, range.lowest, range.highest);
                if (limited != frequency) {
                    band.SetFrequency(limited);
                }
            };
        case BandEditKind::Slope:
            return [value](CFilter& band) { band.SetSlope(value); };
        case BandEditKind::Frequency:
            return [value](CFilter& band) { band.SetFrequency(value); };
        case BandEditKind::Bandwidth:
            return [value](CFilter& band) { band.SetBandwidthIndex(value); };
        case BandEditKind::Gain:
            return [value](CFilter& band) { band.SetGainIndex(value); };
        case BandEditKind::Bypass:
            return [value](CFilter& band) { band.SetBypass(value); };
    }
    return [](CFilter&) {};
}
