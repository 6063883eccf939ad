// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ResponseExport.h"

#include <cmath>
#include <cstdio>

#include "model/Audio_Data.h"

namespace {
// JSON has no NaN or infinity; a broken value shows as null rather than as an unreadable file.
std::string FormatNumber(double value, const char* format) {
    if (!std::isfinite(value)) {
        return "null";
    }
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

constexpr const char* kHertzFormat = "%.2f";
constexpr const char* kDbFormat = "%.3f";

template <typename Values>
void WriteJsonArray(std::ostream& out, const Values& values, const char* format) {
    out << '[';
    for (size_t i = 0; i < values.size(); ++i) {
        out << (i == 0 ? "" : ",") << FormatNumber(values[i], format);
    }
    out << ']';
}
}  // namespace

std::vector<NamedResponse> ChannelResponses(const CAudio_Data& program) {
    std::vector<NamedResponse> curves;
    for (int i = 0; i < CAudio_InRoute::kCount; ++i) {
        curves.push_back(
            {"in" + std::to_string(i), program.GetInput(i).GetChain().SumResponseDb()});
    }
    for (int i = 0; i < CAudio_OutRoute::kCount; ++i) {
        curves.push_back(
            {"out" + std::to_string(i), program.GetOutput(i).GetChain().SumResponseDb()});
    }
    curves.push_back({"effect", program.GetEffect().GetChain().SumResponseDb()});
    return curves;
}

void WriteResponsesJson(std::ostream& out, const std::vector<NamedResponse>& curves) {
    out << "{\"grid\":";
    WriteJsonArray(out, GridFrequencies(), kHertzFormat);
    out << ",\"channels\":{";
    for (size_t c = 0; c < curves.size(); ++c) {
        out << (c == 0 ? "" : ",") << '"' << curves[c].name << "\":";
        WriteJsonArray(out, curves[c].db, kDbFormat);
    }
    out << "}}\n";
}

void WriteResponsesCsv(std::ostream& out, const std::vector<NamedResponse>& curves) {
    out << "hz";
    for (const NamedResponse& curve : curves) {
        out << ',' << curve.name;
    }
    out << '\n';
    const auto& grid = GridFrequencies();
    for (int i = 0; i < kGridPointCount; ++i) {
        out << FormatNumber(grid[i], kHertzFormat);
        for (const NamedResponse& curve : curves) {
            out << ',' << FormatNumber(curve.db[i], kDbFormat);
        }
        out << '\n';
    }
}
