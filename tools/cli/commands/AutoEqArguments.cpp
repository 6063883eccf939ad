// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/AutoEqArguments.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>

#include "roomeq/MeasurementText.h"

namespace cli {
namespace {
std::optional<double> ParseDouble(std::string_view text) {
    double multiplier = 1.0;
    if (text.ends_with('k') || text.ends_with('K')) {
        multiplier = 1000.0;
        text.remove_suffix(1);
    }
    if (text.starts_with('+')) {
        text.remove_prefix(1);
    }
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        !std::isfinite(value)) {
        return std::nullopt;
    }
    return value * multiplier;
}

std::optional<int> ParseWhole(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::string> ParseRange(std::string_view text, AutoEqRequest& request) {
    const size_t colon = text.find(':');
    const std::optional<double> low = ParseDouble(text.substr(0, colon));
    const std::optional<double> high =
        colon == std::string_view::npos ? std::nullopt : ParseDouble(text.substr(colon + 1));
    if (!low || !high || *low < 20.0 || *high > 20000.0 || *low >= *high) {
        return "bad --range '" + std::string(text) + "': LO:HI in Hz within 20:20000, LO below HI";
    }
    request.lowHertz = *low;
    request.highHertz = *high;
    return std::nullopt;
}

std::optional<std::string> ParseSmoothing(std::string_view text, AutoEqRequest& request) {
    if (text == "none") {
        request.smoothing = 0;
        return std::nullopt;
    }
    const std::optional<int> fraction =
        text.starts_with("1/") ? ParseWhole(text.substr(2)) : std::nullopt;
    if (!fraction || *fraction < 1 || *fraction > 48) {
        return "bad --smooth '" + std::string(text) + "': 1/1, 1/3, 1/6, 1/12, 1/24 or none";
    }
    request.smoothing = *fraction;
    return std::nullopt;
}

std::optional<std::string> CheckTarget(std::string_view text) {
    if (!text.starts_with("tilt:")) {
        return std::nullopt;
    }
    // tilt:DB_PER_DECADE, or with a bass shelf: tilt:DB_PER_DECADE:SHELF_DB:CORNER_HZ.
    std::vector<std::string_view> parts;
    std::string_view rest = text.substr(5);
    for (size_t colon; (colon = rest.find(':')) != std::string_view::npos;) {
        parts.push_back(rest.substr(0, colon));
        rest.remove_prefix(colon + 1);
    }
    parts.push_back(rest);
    const bool numbers = std::ranges::all_of(
        parts, [](std::string_view part) { return ParseDouble(part).has_value(); });
    if (!numbers || (parts.size() != 1 && parts.size() != 3) ||
        std::abs(*ParseDouble(parts[0])) > 12.0 ||
        (parts.size() == 3 && (std::abs(*ParseDouble(parts[1])) > 20.0 ||
                               *ParseDouble(parts[2]) < 20.0 || *ParseDouble(parts[2]) > 2000.0))) {
        return "bad --target '" + std::string(text) +
               "': flat, tilt:DB_PER_DECADE (-12..12), tilt:DB_PER_DECADE:SHELF_DB:CORNER_HZ or a "
               "file";
    }
    return std::nullopt;
}

TargetSpec TargetOf(const std::string& text) {
    TargetSpec target;
    if (text == "flat") {
        return target;
    }
    std::string_view rest = std::string_view(text).substr(5);
    target.kind = TargetKind::HouseCurve;
    const size_t colon = rest.find(':');
    target.tiltDbPerDecade = *ParseDouble(rest.substr(0, colon));
    if (colon != std::string_view::npos) {
        rest.remove_prefix(colon + 1);
        const size_t second = rest.find(':');
        target.shelfGainDb = *ParseDouble(rest.substr(0, second));
        target.shelfCornerHertz = *ParseDouble(rest.substr(second + 1));
    }
    return target;
}
}  // namespace

std::variant<AutoEqRequest, std::string> ParseAutoEqArguments(
    const std::vector<std::string>& words) {
    AutoEqRequest request;
    std::optional<RoomEqChannel> channel;
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word == "--no-shelves") {
            request.options.shelves = false;
            continue;
        }
        if (!word.starts_with("--")) {
            request.measurements.push_back(word);
            continue;
        }
        if (i + 1 == words.size()) {
            return word + " needs a value";
        }
        const std::string& value = words[++i];
        std::optional<std::string> problem;
        if (word == "--column") {
            request.column = value;
        } else if (word == "--channel") {
            channel = ParseRoomEqChannel(value);
            if (!channel) {
                return "bad --channel '" + value + "': in0, in2, fx or out0..out5";
            }
        } else if (word == "--target") {
            problem = CheckTarget(value);
            request.target = value;
        } else if (word == "--range") {
            problem = ParseRange(value, request);
        } else if (word == "--smooth") {
            problem = ParseSmoothing(value, request);
        } else if (word == "--bands") {
            const std::optional<int> bands = ParseWhole(value);
            if (!bands || *bands < 1) {
                return "bad --bands '" + value + "': a whole number of bands from 1";
            }
            request.options.bandCount = *bands;
        } else if (word == "--max-boost") {
            const std::optional<double> boost = ParseDouble(value);
            if (!boost || *boost < 0.0 || *boost > kHighestMaxBoostDb) {
                return "bad --max-boost '" + value + "': 0..10 dB";
            }
            request.options.maxBoostDb = *boost;
        } else if (word == "--calibration") {
            request.calibration = value;
        } else if (word == "--in") {
            request.inPath = value;
        } else if (word == "--out") {
            request.outPath = value;
        } else {
            return "unknown option '" + word + "'";
        }
        if (problem) {
            return *problem;
        }
    }
    if (request.measurements.empty()) {
        return std::string("autoeq needs at least one measurement file");
    }
    if (!channel) {
        return std::string("autoeq needs --channel in0, in2, fx or out0..out5");
    }
    request.channel = *channel;
    if (const std::optional<RoomEqProblem> problem = CheckFitOptions(*channel, request.options)) {
        return "bad --bands or --max-boost: " + problem->detail;
    }
    return request;
}

std::variant<PreparedMeasurement, std::string> PrepareAutoEqMeasurement(
    const AutoEqRequest& request) {
    MeasurementSettings settings;
    settings.lowHertz = request.lowHertz;
    settings.highHertz = request.highHertz;
    settings.smoothing = request.smoothing;
    for (const std::string& path : request.measurements) {
        MeasurementRead read = ReadMeasurementFile(path, request.column);
        if (const RoomEqProblem* problem = std::get_if<RoomEqProblem>(&read)) {
            return DescribeProblem(*problem, Language::English);
        }
        settings.positions.push_back(std::get<MeasurementCurve>(std::move(read)));
    }
    if (request.calibration) {
        MeasurementRead read = ReadMeasurementFile(*request.calibration);
        if (const RoomEqProblem* problem = std::get_if<RoomEqProblem>(&read)) {
            return DescribeProblem(*problem, Language::English);
        }
        settings.calibration = std::get<MeasurementCurve>(std::move(read));
    }
    if (request.target == "flat" || request.target.starts_with("tilt:")) {
        settings.target = TargetOf(request.target);
    } else {
        MeasurementRead read = ReadMeasurementFile(request.target);
        if (const RoomEqProblem* problem = std::get_if<RoomEqProblem>(&read)) {
            return DescribeProblem(*problem, Language::English);
        }
        settings.target.kind = TargetKind::File;
        settings.target.curve = std::get<MeasurementCurve>(std::move(read));
    }
    auto prepared = PrepareMeasurement(settings);
    if (const RoomEqProblem* problem = std::get_if<RoomEqProblem>(&prepared)) {
        return DescribeProblem(*problem, Language::English);
    }
    return std::get<PreparedMeasurement>(std::move(prepared));
}

}  // namespace cli
