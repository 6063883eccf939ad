// SPDX-License-Identifier: GPL-3.0-or-later
// A room fit for one channel of a program: the first N of the bands its page
// shows are fitted on codes, the rest of its chain (other bands, crossovers)
// stays as it is and counts in the result, as it will on the device. Before
// and after are judged with the same measure: measured + whole chain - target,
// over the range less where the channel's own crossovers roll the sound off.
#pragma once

#include <string>
#include <variant>
#include <vector>

#include "roomeq/BandCode.h"
#include "roomeq/CodeSearch.h"
#include "roomeq/FitError.h"
#include "roomeq/PreparedMeasurement.h"
#include "roomeq/RoomEqChannel.h"

inline constexpr double kDefaultMaxBoostDb = 6.0;
inline constexpr double kHighestMaxBoostDb = 10.0;

struct ChannelFitOptions {
    // 0: every band the channel's page shows.
    int bandCount = 0;
    double maxBoostDb = kDefaultMaxBoostDb;
    bool shelves = true;
};

struct ChannelFit {
    RoomEqChannel channel;
    // 0-based bands of the chain the fit set, and what it set them to.
    std::vector<int> bandIndices;
    std::vector<BandCode> bands;
    // The whole chain's response at the measurement's points, before and after.
    std::vector<double> chainBefore;
    std::vector<double> chainAfter;
    ErrorFigures before;
    ErrorFigures after;
    // The new chain's highest point in the range; above 0 dB it boosts.
    double largestBoostDb = 0.0;
    // The points where the channel's own crossovers cut more than 3 dB: not fitted, not judged.
    std::vector<double> rolledOff;
    // Whole dB taken off the output's gain so that the boost cannot clip; 0 or less.
    int outputGainChangeDb = 0;
    bool cancelled = false;
};

// The one-line reason the options cannot be used on this channel, if any.
std::optional<RoomEqProblem> CheckFitOptions(RoomEqChannel channel,
                                             const ChannelFitOptions& options);

ChannelFit FitChannel(const PreparedMeasurement& measurement, const ChainSnapshot& chain,
                      RoomEqChannel channel, const ChannelFitOptions& options,
                      const FitControl& control = {});

// What the fit left uncorrected and why, for the preview and the command line.
enum class UncorrectedReason { RoomNull, BoostLimit, CrossoverRollOff };
struct UncorrectedPart {
    UncorrectedReason reason = UncorrectedReason::RoomNull;
    double lowHertz = 0.0;
    double highHertz = 0.0;
    double depthDb = 0.0;
};
std::vector<UncorrectedPart> UncorrectedParts(const PreparedMeasurement& measurement,
                                              const ChannelFit& fit,
                                              const ChannelFitOptions& options);
std::string DescribeUncorrected(const UncorrectedPart& part, const ChannelFitOptions& options,
                                Language language);
