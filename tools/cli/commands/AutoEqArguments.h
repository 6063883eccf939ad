// SPDX-License-Identifier: GPL-3.0-or-later
// The words of `sonavel-cli autoeq`: the measurement files, the channel, the
// target, range, smoothing, band count, boost limit and calibration, and
// where the result goes. Everything is checked, and every file read, before
// a program is touched or a device reached.
#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "roomeq/ChannelFit.h"
#include "roomeq/PreparedMeasurement.h"

namespace cli {

struct AutoEqRequest {
    std::vector<std::string> measurements;
    std::string column;
    RoomEqChannel channel;
    // "flat", "tilt:DB_PER_DECADE[:SHELF_DB:CORNER_HZ]" or a file.
    std::string target = "flat";
    std::optional<std::string> calibration;
    double lowHertz = kDefaultLowHertz;
    double highHertz = kDefaultHighHertz;
    int smoothing = kDefaultSmoothing;
    ChannelFitOptions options;
    std::optional<std::string> inPath;
    std::optional<std::string> outPath;
};

inline constexpr const char* kAutoEqUsage =
    "usage: sonavel-cli autoeq MEASUREMENT... [--column NAME] --channel in0|in2|fx|out0..out5 "
    "[--target flat|tilt:DB_PER_DECADE|FILE] [--range LO:HI] [--smooth 1/N|none] [--bands N] "
    "[--max-boost DB] [--no-shelves] [--calibration FILE] [--in FILE.dia] --out FILE.dia | "
    "--link ...";

// The request, or the one-line reason the words are wrong.
std::variant<AutoEqRequest, std::string> ParseAutoEqArguments(
    const std::vector<std::string>& words);

// Every file read and the measurement prepared, or the one-line reason a file cannot be used.
std::variant<PreparedMeasurement, std::string> PrepareAutoEqMeasurement(
    const AutoEqRequest& request);

}  // namespace cli
