// SPDX-License-Identifier: GPL-3.0-or-later
// The edits a band row makes, as changes that can be run on any band: the
// page runs the same change on the shown band and on the bands that follow
// it, so a repeated edit is made exactly as the original one.
//
// The constraint: a change is only ever run under the queue lock (the page's
// `ApplyChange`), because the sender reads the same elements.
#pragma once

#include <functional>

class CFilter;

enum class BandEditKind { Type, Slope, Frequency, Bandwidth, Gain, Bypass };

// Codes a band row offers.
inline constexpr int kLowestBandFrequency = 20;
inline constexpr int kHighestBandFrequency = 20000;
inline constexpr int kShelfFrequencyBoundary = 2000;
inline constexpr int kHighestBandwidthIndex = 299;
inline constexpr int kHighestGainIndex = 300;

struct FrequencyRange {
    int lowest = kLowestBandFrequency;
    int highest = kHighestBandFrequency;
    bool operator==(const FrequencyRange&) const = default;
};

// The frequencies a band of this kind may have: shelves stay on their side of 2000 Hz.
FrequencyRange BandFrequencyRange(int kind);

using BandChange = std::function<void(CFilter& band)>;

// The change a row makes when its control of `kind` takes `value` (a kind,
// slope index, frequency, bandwidth index, gain index or bypass flag). A
// change of kind also moves a frequency the new kind cannot have to 2000 Hz.
BandChange MakeBandChange(BandEditKind kind, int value);
