// SPDX-License-Identifier: GPL-3.0-or-later
#include "roomeq/CodeSearch.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>

#include "curves/ResponseAtFrequencies.h"

namespace {
constexpr double kNoFit = std::numeric_limits<double>::infinity();
// Greedy candidates are drawn at this gain and scaled: a peaking band's dB
// response at -G is exactly the negative of its response at +G.
constexpr int kShapeGainIndex = kFlatGainIndex + 60;
constexpr std::array kGreedyBandwidths{4, 9, 14, 19, 29, 39, 59, 79, 119, 169, 249};
constexpr int kGreedyFrequencyStride = 2;
// A band is placed only where it removes at least this much squared error.
constexpr double kSmallestUseful = 1e-4;
constexpr int kMostSweepsPerStep = 12;
// The sum may pass the boost limit by rounding, no more.
constexpr double kBoostSlackDb = 0.05;
// Greedy candidates judged exactly, of those the estimate ranks best.
constexpr size_t kGreedyFinalists = 8;
constexpr size_t kGreedyTries = 64;
constexpr int kMostReplacePasses = 3;

struct Trial {
    double error = kNoFit;
    BandCode band;
    std::vector<double> response;
};

class CodeSearch {
  public:
    CodeSearch(const FitTask& task, const FitLimits& limits, const FitControl& control)
        : task_(task),
          limits_(limits),
          control_(control),
          points_(task.hertz),
          count_(static_cast<int>(task.hertz.size())),
          sum_(count_, 0.0),
          scratch_(count_, 0.0) {
        const std::vector<int>& codes = FrequencyCodes();
        highestGain_ = std::clamp(
            kFlatGainIndex + static_cast<int>(std::floor(limits.maxBoostDb * 10.0 + 1e-9)),
            kFlatGainIndex, kHighestPageGainIndex);
        for (int i = 0; i < static_cast<int>(codes.size()); ++i) {
            if (codes[i] >= limits.lowHertz && codes[i] <= limits.highHertz) {
                lowestIndex_ = std::min(lowestIndex_, i);
                highestIndex_ = std::max(highestIndex_, i);
            }
            if (codes[i] <= kShelfCornerLimit) {
                lowShelfTop_ = i;
            }
            if (codes[i] >= kShelfCornerLimit && highShelfBottom_ < 0) {
                highShelfBottom_ = i;
            }
        }
        error_ = ErrorOf(sum_);
    }

    FitOutcome Run() {
        FitOutcome outcome;
        if (count_ < 2 || lowestIndex_ > highestIndex_) {
            outcome.bands.assign(limits_.bandCount, BandCode{});
            return outcome;
        }
        shapes_ = GreedyShapes();
        PlaceGreedily();
        static constexpr std::array kFrequencySteps{8, 4, 2, 1};
        for (size_t level = 0; level < kFrequencySteps.size() && !Cancelled(); ++level) {
            for (int sweep = 0; sweep < kMostSweepsPerStep && !Cancelled(); ++sweep) {
                if (!Sweep(kFrequencySteps[level], level)) {
                    break;
                }
            }
            Report(0.4 + 0.3 * static_cast<double>(level + 1) / kFrequencySteps.size());
        }
        for (int pass = 0; pass < kMostReplacePasses && !Cancelled() && ReplaceBands(); ++pass) {
            Report(0.7 + 0.3 * static_cast<double>(pass + 1) / kMostReplacePasses);
        }
        outcome.cancelled = Cancelled();
        for (const Band& band : bands_) {
            outcome.bands.push_back(band.code);
        }
        outcome.bands.resize(limits_.bandCount, BandCode{});
        return outcome;
    }

  private:
    struct Band {
        BandCode code;
        std::vector<double> response;
    };

    bool Cancelled() const { return control_.cancel != nullptr && control_.cancel->load(); }
    void Report(double share) const {
        if (control_.progress) {
            control_.progress(std::clamp(share, 0.0, 1.0));
        }
    }

    // The weighted spread of (sum - desired); infinite where the sum boosts
    // past the limit. Since the level is free, a boost is also measured
    // against the sum's mean: cutting everything else by 15 dB is the same
    // loss of headroom as a 15 dB boost, and is held to the same limit.
    double ErrorOf(const std::vector<double>& sum) {
        double mean = 0.0;
        double square = 0.0;
        double level = 0.0;
        double highest = -kNoFit;
        for (int k = 0; k < count_; ++k) {
            const double r = sum[k] - task_.desired[k];
            mean += task_.weights[k] * r;
            square += task_.weights[k] * r * r;
            level += task_.weights[k] * sum[k];
            highest = std::max(highest, sum[k]);
        }
        lastExcess_ = highest - limits_.maxBoostDb + std::max(0.0, -level);
        if (lastExcess_ > kBoostSlackDb) {
            return kNoFit;
        }
        return std::max(0.0, square - mean * mean);
    }

    // The error with band j's response replaced by `response`.
    double ErrorWith(int j, const std::vector<double>& response) {
        const std::vector<double>* old =
            j < static_cast<int>(bands_.size()) ? &bands_[j].response : nullptr;
        for (int k = 0; k < count_; ++k) {
            scratch_[k] = sum_[k] + response[k] - (old != nullptr ? (*old)[k] : 0.0);
        }
        return ErrorOf(scratch_);
    }

    void Respond(const BandCode& band, std::vector<double>& response) const {
        response.resize(count_);
        ComputeElementResponseAt(ResponseInputOf(band), points_, response);
    }

    // The gain code that best scales `response` (band j drawn at `band`'s
    // gain) against what the other bands leave, within the limits.
    int BestGainIndex(int j, const BandCode& band, const std::vector<double>& response) const {
        const double gain = band.GainDb();
        const std::vector<double>* old =
            j < static_cast<int>(bands_.size()) ? &bands_[j].response : nullptr;
        double meanShape = 0.0;
        double meanRest = 0.0;
        for (int k = 0; k < count_; ++k) {
            meanShape += task_.weights[k] * response[k] / gain;
            meanRest += task_.weights[k] *
                        (sum_[k] - (old != nullptr ? (*old)[k] : 0.0) - task_.desired[k]);
        }
        double cross = 0.0;
        double power = 0.0;
        for (int k = 0; k < count_; ++k) {
            const double shape = response[k] / gain - meanShape;
            const double rest =
                sum_[k] - (old != nullptr ? (*old)[k] : 0.0) - task_.desired[k] - meanRest;
            cross += task_.weights[k] * shape * rest;
            power += task_.weights[k] * shape * shape;
        }
        if (power <= 0.0) {
            return kFlatGainIndex;
        }
        const double best = -cross / power;
        return std::clamp(kFlatGainIndex + static_cast<int>(std::lround(best * 10.0)),
                          kLowestGainIndex, highestGain_);
    }

    // Band j at `band`'s kind, frequency, bandwidth and slope, with the gain
    // that suits them best.
    Trial TryWithBestGain(int j, BandCode band) {
        Trial trial;
        if (band.gainIndex == kFlatGainIndex) {
            band.gainIndex = kShapeGainIndex;
        }
        Respond(band, trial.response);
        const int gain = BestGainIndex(j, band, trial.response);
        if (gain == kFlatGainIndex) {
            return trial;
        }
        if (gain != band.gainIndex) {
            band.gainIndex = gain;
            Respond(band, trial.response);
        }
        trial.band = band;
        trial.error = ErrorWith(j, trial.response);
        // A boost that lifts the sum past the limit is lowered until it fits;
        // a cut that takes the level down too far is made shallower.
        for (int attempt = 0; attempt < 8 && trial.error == kNoFit; ++attempt) {
            if (band.gainIndex > kFlatGainIndex) {
                const int step = std::max(1, static_cast<int>(std::ceil(lastExcess_ * 10.0)));
                band.gainIndex = std::max(kFlatGainIndex, band.gainIndex - step);
            } else {
                band.gainIndex = kFlatGainIndex - (kFlatGainIndex - band.gainIndex) / 2;
            }
            if (band.gainIndex == kFlatGainIndex) {
                break;
            }
            Respond(band, trial.response);
            trial.band = band;
            trial.error = ErrorWith(j, trial.response);
        }
        return trial;
    }

    Trial TryAsIs(int j, const BandCode& band) {
        Trial trial;
        trial.band = band;
        Respond(band, trial.response);
        trial.error = ErrorWith(j, trial.response);
        return trial;
    }

    void Accept(int j, Trial&& trial) {
        std::vector<double>& old = bands_[j].response;
        for (int k = 0; k < count_; ++k) {
            sum_[k] += trial.response[k] - old[k];
        }
        bands_[j].code = trial.band;
        bands_[j].response = std::move(trial.response);
        error_ = trial.error;
    }

    int FrequencyIndexOf(int code) const {
        const std::vector<int>& codes = FrequencyCodes();
        return static_cast<int>(std::ranges::lower_bound(codes, code) - codes.begin());
    }

    // The frequency indices a band of this kind may take.
    std::pair<int, int> FrequencyRange(int type) const {
        if (type == ElementType::kLowShelf) {
            return {lowestIndex_, std::min(highestIndex_, lowShelfTop_)};
        }
        if (type == ElementType::kHighShelf) {
            return {std::max(lowestIndex_, highShelfBottom_), highestIndex_};
        }
        return {lowestIndex_, highestIndex_};
    }

    struct Shape {
        BandCode band;
        std::vector<float> response;
        double mean = 0.0;
        double power = 0.0;  // weighted, about the mean
    };

    std::vector<Shape> GreedyShapes() const {
        std::vector<Shape> shapes;
        std::vector<double> response;
        const auto add = [&](BandCode band) {
            band.gainIndex = kShapeGainIndex;
            Respond(band, response);
            Shape shape{band, std::vector<float>(response.begin(), response.end())};
            double square = 0.0;
            for (int k = 0; k < count_; ++k) {
                shape.mean += task_.weights[k] * response[k];
                square += task_.weights[k] * response[k] * response[k];
            }
            shape.power = square - shape.mean * shape.mean;
            if (shape.power > 1e-9) {
                shapes.push_back(std::move(shape));
            }
        };
        const std::vector<int>& codes = FrequencyCodes();
        for (int i = lowestIndex_; i <= highestIndex_; i += kGreedyFrequencyStride) {
            for (int bandwidth : kGreedyBandwidths) {
                add(BandCode{ElementType::kPeaking, codes[i], bandwidth, kFlatGainIndex, 0});
            }
        }
        if (limits_.shelves) {
            for (int type : {ElementType::kLowShelf, ElementType::kHighShelf}) {
                const auto [low, high] = FrequencyRange(type);
                for (int i = low; i <= high; i += kGreedyFrequencyStride) {
                    for (int slope : {0, 1}) {
                        add(BandCode{type, codes[i], 0, kFlatGainIndex, slope});
                    }
                }
            }
        }
        return shapes;
    }

    // The band that removes the most error in slot j (whose own response is
    // left out): candidates ranked by the error each removes if its response
    // scaled with its gain, then the best of the first few that the maths,
    // boost limit included, really finds better.
    Trial BestNewBand(int j) {
        const double shapeGain = (kShapeGainIndex - kFlatGainIndex) * 0.1;
        const std::vector<double>& old = bands_[j].response;
        std::vector<double> rest(count_);
        std::vector<double> others(count_);
        double restMean = 0.0;
        double othersLevel = 0.0;
        double othersHighest = -kNoFit;
        for (int k = 0; k < count_; ++k) {
            others[k] = sum_[k] - old[k];
            rest[k] = others[k] - task_.desired[k];
            restMean += task_.weights[k] * rest[k];
            othersLevel += task_.weights[k] * others[k];
            othersHighest = std::max(othersHighest, others[k]);
        }
        std::vector<std::pair<double, BandCode>> ranked;
        for (const Shape& shape : shapes_) {
            double cross = 0.0;
            // The most the shape may be scaled before the sum passes the boost limit.
            double headroom = limits_.maxBoostDb / shapeGain;
            for (int k = 0; k < count_; ++k) {
                cross += task_.weights[k] * shape.response[k] * rest[k];
                if (shape.response[k] > 0.05) {
                    headroom =
                        std::min(headroom, (limits_.maxBoostDb - others[k]) / shape.response[k]);
                }
            }
            cross -= shape.mean * restMean;
            // The deepest the shape may be cut before the sum's level falls
            // so far that its highest point is a boost past the limit.
            double floor = -20.0 / shapeGain;
            if (shape.mean > 1e-9) {
                floor = std::max(floor,
                                 (othersHighest - limits_.maxBoostDb - othersLevel) / shape.mean);
            }
            if (floor > headroom) {
                continue;
            }
            // The error falls by -2 s c - s^2 p for a scale s of the shape.
            const double scale =
                std::clamp(-cross / shape.power, std::min(0.0, floor), std::max(0.0, headroom));
            const double reduction = -2.0 * scale * cross - scale * scale * shape.power;
            if (reduction > kSmallestUseful) {
                BandCode band = shape.band;
                band.gainIndex = std::clamp(
                    kFlatGainIndex + static_cast<int>(std::lround(scale * shapeGain * 10.0)),
                    kLowestGainIndex, highestGain_);
                ranked.emplace_back(reduction, band);
            }
        }
        std::ranges::sort(ranked, [](const auto& a, const auto& b) { return a.first > b.first; });
        Trial best;
        const double now = ErrorWith(j, std::vector<double>(count_, 0.0));
        size_t finalists = 0;
        for (size_t f = 0; f < ranked.size() && f < kGreedyTries && finalists < kGreedyFinalists;
             ++f) {
            Trial candidate = TryWithBestGain(j, ranked[f].second);
            if (!(candidate.error < now - 1e-12)) {
                continue;
            }
            ++finalists;
            if (candidate.error < best.error) {
                best = std::move(candidate);
            }
        }
        return best;
    }

    void PlaceGreedily() {
        for (int n = 0; n < limits_.bandCount && !Cancelled(); ++n) {
            bands_.push_back(Band{BandCode{}, std::vector<double>(count_, 0.0)});
            const int j = static_cast<int>(bands_.size()) - 1;
            Trial trial = BestNewBand(j);
            if (!(trial.error < error_ - 1e-12)) {
                bands_.pop_back();
                break;
            }
            Accept(j, std::move(trial));
            // Settle the new band before the next one is chosen against it.
            for (int sweep = 0; sweep < 4 && ImproveBand(j, 2, 1); ++sweep) {
            }
            Report(0.4 * static_cast<double>(n + 1) / limits_.bandCount);
        }
    }

    // Takes bands out (one at a time, then neighbours in frequency two at a
    // time) and puts the best new bands in their place; kept only when the
    // whole settles lower. This is how a fit leaves the local minima that
    // moving one code at a time cannot: one wide band sitting across two
    // features is only undone by placing two bands again.
    bool ReplaceBands() {
        bool improved = false;
        const int count = static_cast<int>(bands_.size());
        for (int j = 0; j < count && !Cancelled(); ++j) {
            improved |= TryReplacing({j});
        }
        std::vector<int> byFrequency(count);
        for (int j = 0; j < count; ++j) {
            byFrequency[j] = j;
        }
        std::ranges::sort(byFrequency, {}, [&](int j) { return bands_[j].code.frequency; });
        for (int i = 0; i + 1 < count && !Cancelled(); ++i) {
            improved |= TryReplacing({byFrequency[i], byFrequency[i + 1]});
        }
        return improved;
    }

    bool TryReplacing(std::initializer_list<int> slots) {
        const std::vector<Band> keptBands = bands_;
        const std::vector<double> keptSum = sum_;
        const double keptError = error_;
        for (int j : slots) {
            Trial flat;
            flat.response.assign(count_, 0.0);
            flat.error = ErrorWith(j, flat.response);
            Accept(j, std::move(flat));
        }
        for (int j : slots) {
            Trial trial = BestNewBand(j);
            if (trial.error < kNoFit) {
                Accept(j, std::move(trial));
                for (int sweep = 0; sweep < 4 && ImproveBand(j, 2, 1); ++sweep) {
                }
            }
        }
        Sweep(1, 3);
        if (error_ < keptError - 1e-9) {
            return true;
        }
        bands_ = keptBands;
        sum_ = keptSum;
        error_ = keptError;
        return false;
    }

    // Steps one code of band j while that lowers the error; true if it did.
    template <typename Step>
    bool LineSearch(int j, Step step, bool regain) {
        bool improved = false;
        for (int direction : {+1, -1}) {
            for (;;) {
                std::optional<BandCode> next = step(bands_[j].code, direction);
                if (!next) {
                    break;
                }
                Trial trial = regain ? TryWithBestGain(j, *next) : TryAsIs(j, *next);
                if (!(trial.error < error_ - 1e-12)) {
                    break;
                }
                Accept(j, std::move(trial));
                improved = true;
            }
            if (improved) {
                break;
            }
        }
        return improved;
    }

    bool ImproveBand(int j, int frequencyStep, size_t level) {
        bool improved = false;
        const BandCode& code = bands_[j].code;
        if (code.gainIndex == kFlatGainIndex) {
            return false;
        }
        // Frequency, with the gain following.
        improved |= LineSearch(
            j,
            [&](const BandCode& band, int direction) -> std::optional<BandCode> {
                const auto [low, high] = FrequencyRange(band.type);
                const int index = FrequencyIndexOf(band.frequency) + direction * frequencyStep;
                if (index < low || index > high) {
                    return std::nullopt;
                }
                BandCode next = band;
                next.frequency = FrequencyCodes()[index];
                return next;
            },
            true);
        if (bands_[j].code.type == ElementType::kPeaking) {
            // Bandwidth by ratios, since a width matters relative to itself.
            static constexpr std::array kRatios{1.41, 1.19, 1.09, 1.0};
            const double ratio = kRatios[std::min(level, kRatios.size() - 1)];
            improved |= LineSearch(
                j,
                [&](const BandCode& band, int direction) -> std::optional<BandCode> {
                    const double width = band.bandwidthIndex + 1.0;
                    int next = static_cast<int>(
                                   std::lround(direction > 0 ? width * ratio : width / ratio)) -
                               1;
                    if (next == band.bandwidthIndex) {
                        next += direction;
                    }
                    if (next < 0 || next >= kBandwidthIndexCountForFit) {
                        return std::nullopt;
                    }
                    BandCode result = band;
                    result.bandwidthIndex = next;
                    return result;
                },
                true);
        } else {
            BandCode other = bands_[j].code;
            other.slope = 1 - other.slope;
            Trial trial = TryWithBestGain(j, other);
            if (trial.error < error_ - 1e-12) {
                Accept(j, std::move(trial));
                improved = true;
            }
        }
        // Gain alone, code by code.
        improved |= LineSearch(
            j,
            [&](const BandCode& band, int direction) -> std::optional<BandCode> {
                BandCode next = band;
                next.gainIndex += direction;
                if (next.gainIndex < kLowestGainIndex || next.gainIndex > highestGain_ ||
                    next.gainIndex == kFlatGainIndex) {
                    return std::nullopt;
                }
                return next;
            },
            false);
        return improved;
    }

    bool Sweep(int frequencyStep, size_t level) {
        bool improved = false;
        for (int j = 0; j < static_cast<int>(bands_.size()) && !Cancelled(); ++j) {
            improved |= ImproveBand(j, frequencyStep, level);
        }
        return improved;
    }

    static constexpr int kBandwidthIndexCountForFit = 300;

    const FitTask& task_;
    const FitLimits& limits_;
    const FitControl& control_;
    FrequencyPoints points_;
    int count_;
    int highestGain_ = kFlatGainIndex;
    int lowestIndex_ = std::numeric_limits<int>::max();
    int highestIndex_ = -1;
    int lowShelfTop_ = -1;
    int highShelfBottom_ = -1;
    std::vector<Shape> shapes_;
    std::vector<Band> bands_;
    std::vector<double> sum_;
    std::vector<double> scratch_;
    double error_ = 0.0;
    // How far past the boost limit the sum ErrorOf last saw went.
    double lastExcess_ = 0.0;
};
}  // namespace

FitOutcome FitBandCodes(const FitTask& task, const FitLimits& limits, const FitControl& control) {
    return CodeSearch(task, limits, control).Run();
}

std::vector<double> BandsResponse(const std::vector<BandCode>& bands,
                                  const std::vector<double>& hertz) {
    const FrequencyPoints points(hertz);
    std::vector<double> sum(hertz.size(), 0.0);
    std::vector<double> response(hertz.size());
    for (const BandCode& band : bands) {
        ComputeElementResponseAt(ResponseInputOf(band), points, response);
        for (size_t k = 0; k < sum.size(); ++k) {
            sum[k] += response[k];
        }
    }
    return sum;
}
