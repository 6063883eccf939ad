// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/AutoEqReport.h"

#include <cstdio>

#include "curves/BandwidthTable.h"

namespace cli {
namespace {
std::string Number(const char* format, double value) {
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string Quoted(const std::string& text) {
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
        }
        quoted += c;
    }
    return quoted + "\"";
}

std::string Error(const ErrorFigures& figures) {
    return "{\"rms\": " + Number("%.2f", figures.rmsDb) +
           ", \"max\": " + Number("%.2f", figures.maxAbsDb) + "}";
}

std::string Band(const std::string& channel, int index, const BandCode& band) {
    static const char* const kTypes[] = {"PEQ", "Lo_EQ", "Hi_EQ"};
    std::string text = "{\"path\": \"" + channel + ".band" + std::to_string(index + 1) + "\"";
    if (band.gainIndex == kFlatGainIndex) {
        return text + ", \"gain\": 0.0, \"bypass\": \"on\"}";
    }
    text += ", \"type\": \"" + std::string(kTypes[band.type]) + "\"";
    text += ", \"freq\": " + std::to_string(band.frequency);
    if (band.type == ElementType::kPeaking) {
        const double q = BandwidthIndexToQ(band.bandwidthIndex);
        text += ", \"q\": " + Number(q > 100.0 ? "%.1f" : "%.3f", q);
    } else {
        text += std::string(", \"slope\": \"") + (band.slope == 0 ? "6dB" : "12dB") + "\"";
    }
    return text + ", \"gain\": " + Number("%.1f", band.GainDb()) + "}";
}
}  // namespace

std::vector<JsonMember> AutoEqReport(const PreparedMeasurement& measurement, const ChannelFit& fit,
                                     const ChannelFitOptions& options) {
    const std::string channel = RoomEqChannelName(fit.channel);
    std::string bands = "[";
    for (size_t i = 0; i < fit.bands.size(); ++i) {
        bands += (i == 0 ? "\n    " : ",\n    ") + Band(channel, fit.bandIndices[i], fit.bands[i]);
    }
    bands += "\n  ]";
    std::string uncorrected = "[";
    const std::vector<UncorrectedPart> parts = UncorrectedParts(measurement, fit, options);
    for (size_t i = 0; i < parts.size(); ++i) {
        uncorrected += (i == 0 ? "\n    " : ",\n    ") +
                       Quoted(DescribeUncorrected(parts[i], options, Language::English));
    }
    uncorrected += parts.empty() ? "]" : "\n  ]";
    return {
        {"channel", "\"" + channel + "\""},
        {"bands", bands},
        {"gain change", Number("%.0f", fit.outputGainChangeDb)},
        {"range", "[" + Number("%.0f", measurement.lowHertz) + ", " +
                      Number("%.0f", measurement.highHertz) + "]"},
        {"error before", Error(fit.before)},
        {"error after", Error(fit.after)},
        {"uncorrected", uncorrected},
    };
}

}  // namespace cli
