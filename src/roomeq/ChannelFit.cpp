// SPDX-License-Identifier: GPL-3.0-or-later
#include "roomeq/ChannelFit.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "curves/ResponseAtFrequencies.h"

namespace {
// Files sampled more densely than this (linear-frequency exports have tens of
// thousands of points) are fitted on bins of kBinOctaves, each weighing what
// its points weigh; the figures are still taken over every point.
constexpr size_t kMostFitPoints = 1000;
constexpr double kBinOctaves = 1.0 / 192.0;
// Where the result stays this far below its mean while the chain boosts to
// the limit, the limit is what held the correction back.
constexpr double kShortfallDb = 3.0;
// Points where the channel's crossovers cut more than this are not fitted.
constexpr double kCrossoverRollOffDb = 3.0;

std::vector<double> ChainResponse(const ChainSnapshot& chain, const FrequencyPoints& points,
                                  const std::vector<bool>& include) {
    std::vector<double> sum(points.Count(), 0.0);
    std::vector<double> response(points.Count());
    for (size_t i = 0; i < chain.elements.size(); ++i) {
        if (!include[i]) {
            continue;
        }
        ComputeElementResponseAt(chain.elements[i], points, response);
        for (size_t k = 0; k < sum.size(); ++k) {
            sum[k] += response[k];
        }
    }
    return sum;
}

FitTask Condensed(FitTask task) {
    if (task.hertz.size() <= kMostFitPoints) {
        return task;
    }
    FitTask bins;
    size_t k = 0;
    while (k < task.hertz.size()) {
        const double edge = task.hertz[k] * std::exp2(kBinOctaves);
        double weight = 0.0;
        double logHertz = 0.0;
        double desired = 0.0;
        for (; k < task.hertz.size() && task.hertz[k] < edge; ++k) {
            weight += task.weights[k];
            logHertz += task.weights[k] * std::log(task.hertz[k]);
            desired += task.weights[k] * task.desired[k];
        }
        if (weight > 0.0) {
            bins.hertz.push_back(std::exp(logHertz / weight));
            bins.desired.push_back(desired / weight);
            bins.weights.push_back(weight);
        }
    }
    return bins;
}

std::vector<double> Residual(const PreparedMeasurement& measurement,
                             const std::vector<double>& chain) {
    std::vector<double> residual(chain.size());
    for (size_t k = 0; k < chain.size(); ++k) {
        residual[k] = measurement.measured[k] + chain[k] - measurement.target[k];
    }
    return residual;
}

std::string Hertz(double hertz) {
    char text[32];
    if (hertz >= 1000.0) {
        std::snprintf(text, sizeof text, "%.1f kHz", hertz / 1000.0);
    } else {
        std::snprintf(text, sizeof text, "%.0f Hz", hertz);
    }
    return text;
}

std::string Decibels(double db) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f dB", db);
    return text;
}
}  // namespace

std::optional<RoomEqProblem> CheckFitOptions(RoomEqChannel channel,
                                             const ChannelFitOptions& options) {
    const int usable = UsableBandCount(channel);
    if (options.bandCount < 0 || options.bandCount > usable) {
        return RoomEqProblem{
            RoomEqProblemKind::BadSetting,
            {},
            0,
            "bands: 1.." + std::to_string(usable) + " on " + RoomEqChannelName(channel)};
    }
    if (!(options.maxBoostDb >= 0.0 && options.maxBoostDb <= kHighestMaxBoostDb)) {
        return RoomEqProblem{RoomEqProblemKind::BadSetting, {}, 0, "max boost: 0..10 dB"};
    }
    return std::nullopt;
}

ChannelFit FitChannel(const PreparedMeasurement& measurement, const ChainSnapshot& chain,
                      RoomEqChannel channel, const ChannelFitOptions& options,
                      const FitControl& control) {
    ChannelFit fit;
    fit.channel = channel;
    const int count = std::min(options.bandCount > 0 ? options.bandCount : UsableBandCount(channel),
                               chain.bandCount);
    for (int i = 0; i < count; ++i) {
        fit.bandIndices.push_back(i);
    }
    const FrequencyPoints points(measurement.hertz);
    std::vector<bool> everything(chain.elements.size(), true);
    std::vector<bool> untouched(chain.elements.size(), true);
    for (int i : fit.bandIndices) {
        untouched[i] = false;
    }
    fit.chainBefore = ChainResponse(chain, points, everything);
    const std::vector<double> fixed = ChainResponse(chain, points, untouched);

    FitTask task;
    task.hertz = measurement.hertz;
    task.weights = OctaveWeights(measurement.hertz);
    // Where the channel's own high-pass or low-pass rolls the sound off, the
    // roll-off is meant: the fit does not try to undo it.
    std::vector<bool> crossovers(chain.elements.size(), false);
    for (size_t i = 0; i < chain.elements.size(); ++i) {
        crossovers[i] = chain.elements[i].kind == ElementType::kHighPass ||
                        chain.elements[i].kind == ElementType::kLowPass;
    }
    const std::vector<double> rollOff = ChainResponse(chain, points, crossovers);
    double kept = 0.0;
    for (size_t k = 0; k < task.weights.size(); ++k) {
        if (rollOff[k] < -kCrossoverRollOffDb) {
            task.weights[k] = 0.0;
        }
        kept += task.weights[k];
    }
    for (double& weight : task.weights) {
        weight = kept > 0.0 ? weight / kept : 0.0;
    }
    task.desired.resize(measurement.hertz.size());
    for (size_t k = 0; k < task.desired.size(); ++k) {
        task.desired[k] = measurement.target[k] - measurement.aimed[k] - fixed[k];
    }
    FitLimits limits;
    limits.bandCount = count;
    limits.maxBoostDb = options.maxBoostDb;
    limits.shelves = options.shelves && ShelvesPossible(channel);
    limits.lowHertz = measurement.lowHertz;
    limits.highHertz = measurement.highHertz;
    const FitOutcome outcome = FitBandCodes(Condensed(task), limits, control);
    fit.cancelled = outcome.cancelled;
    fit.bands = outcome.bands;

    const std::vector<double> fitted = BandsResponse(fit.bands, measurement.hertz);
    fit.chainAfter.resize(fitted.size());
    for (size_t k = 0; k < fitted.size(); ++k) {
        fit.chainAfter[k] = fixed[k] + fitted[k];
    }
    // Judged where the fit works: inside the range and above the crossovers' roll-off.
    fit.before = MeasureError(Residual(measurement, fit.chainBefore), task.weights);
    fit.after = MeasureError(Residual(measurement, fit.chainAfter), task.weights);
    for (size_t k = 0; k < rollOff.size(); ++k) {
        if (rollOff[k] < -kCrossoverRollOffDb) {
            fit.rolledOff.push_back(measurement.hertz[k]);
        }
    }
    fit.largestBoostDb = fit.chainAfter.empty() ? 0.0 : *std::ranges::max_element(fit.chainAfter);
    if (chain.outputGainCode >= 0 && fit.largestBoostDb > 0.05) {
        const int lowered = static_cast<int>(std::ceil(fit.largestBoostDb - 0.05));
        fit.outputGainChangeDb = -std::min(lowered, chain.outputGainCode);
    }
    return fit;
}

std::vector<UncorrectedPart> UncorrectedParts(const PreparedMeasurement& measurement,
                                              const ChannelFit& fit,
                                              const ChannelFitOptions& options) {
    std::vector<UncorrectedPart> parts;
    // The crossovers' roll-off, as runs of neighbouring points.
    for (size_t i = 0; i < fit.rolledOff.size();) {
        UncorrectedPart part{UncorrectedReason::CrossoverRollOff, fit.rolledOff[i],
                             fit.rolledOff[i], 0.0};
        size_t next = i + 1;
        while (next < fit.rolledOff.size() &&
               std::ranges::find(measurement.hertz, fit.rolledOff[next]) -
                       std::ranges::find(measurement.hertz, fit.rolledOff[next - 1]) ==
                   1) {
            part.highHertz = fit.rolledOff[next];
            ++next;
        }
        parts.push_back(part);
        i = next;
    }
    for (const RoomNull& null : measurement.nulls) {
        parts.push_back({UncorrectedReason::RoomNull, null.lowHertz, null.highHertz, null.depthDb});
    }
    if (fit.chainAfter.empty()) {
        return parts;
    }
    const std::vector<double> residual = Residual(measurement, fit.chainAfter);
    const std::vector<double> weights = OctaveWeights(measurement.hertz);
    double mean = 0.0;
    for (size_t k = 0; k < residual.size(); ++k) {
        mean += weights[k] * residual[k];
    }
    const auto inNull = [&](double hertz) {
        return std::ranges::any_of(measurement.nulls, [&](const RoomNull& null) {
            return hertz >= null.lowHertz && hertz <= null.highHertz;
        });
    };
    size_t k = 0;
    while (k < residual.size()) {
        const auto short_ = [&](size_t i) {
            return residual[i] - mean < -kShortfallDb &&
                   fit.chainAfter[i] >= options.maxBoostDb - 0.5 && !inNull(measurement.hertz[i]) &&
                   !std::ranges::binary_search(fit.rolledOff, measurement.hertz[i]);
        };
        if (!short_(k)) {
            ++k;
            continue;
        }
        UncorrectedPart part{UncorrectedReason::BoostLimit, measurement.hertz[k], 0.0, 0.0};
        while (k < residual.size() && short_(k)) {
            part.highHertz = measurement.hertz[k];
            part.depthDb = std::max(part.depthDb, mean - residual[k]);
            ++k;
        }
        parts.push_back(part);
    }
    std::ranges::sort(parts, {}, &UncorrectedPart::lowHertz);
    return parts;
}

std::string DescribeUncorrected(const UncorrectedPart& part, const ChannelFitOptions& options,
                                Language language) {
    const bool chinese = language == Language::Chinese;
    const std::string where = Hertz(part.lowHertz) + "–" + Hertz(part.highHertz);
    if (part.reason == UncorrectedReason::CrossoverRollOff) {
        return chinese
                   ? where + "：通道的高通或低通滤波器在此衰减，不作校正"
                   : where + ": the channel's high-pass or low-pass rolls off here; left as it is";
    }
    if (part.reason == UncorrectedReason::RoomNull) {
        return chinese ? where + "：房间声学零点，低 " + Decibels(part.depthDb) +
                             "，均衡无法补偿，未提升"
                       : where + ": a room null " + Decibels(part.depthDb) +
                             " deep; equalising cannot fill it, so it is not boosted";
    }
    const std::string limit = "+" + Decibels(options.maxBoostDb);
    return chinese ? where + "：仍低 " + Decibels(part.depthDb) + "，已达到最大提升 " + limit
                   : where + ": still " + Decibels(part.depthDb) + " low; the boost is at its " +
                         limit + " limit";
}
