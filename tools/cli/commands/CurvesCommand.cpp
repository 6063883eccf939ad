// SPDX-License-Identifier: GPL-3.0-or-later
#include <array>
#include <cmath>
#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "commands/CliCommands.h"
#include "curves/FrequencyGrid.h"
#include "model/Audio_Data.h"
#include "model/ProgramFile.h"

namespace cli {
namespace {
struct NamedCurve {
    std::string name;
    std::array<double, kGridPointCount> db;
};

std::vector<NamedCurve> ChannelCurves(const CAudio_Data& program) {
    std::vector<NamedCurve> curves;
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

void WriteJson(std::ostream& out, const std::vector<NamedCurve>& curves) {
    out << "{\"grid\":";
    WriteJsonArray(out, GridFrequencies(), kHertzFormat);
    out << ",\"channels\":{";
    for (size_t c = 0; c < curves.size(); ++c) {
        out << (c == 0 ? "" : ",") << '"' << curves[c].name << "\":";
        WriteJsonArray(out, curves[c].db, kDbFormat);
    }
    out << "}}\n";
}

void WriteCsv(std::ostream& out, const std::vector<NamedCurve>& curves) {
    out << "hz";
    for (const NamedCurve& curve : curves) {
        out << ',' << curve.name;
    }
    out << '\n';
    const auto& grid = GridFrequencies();
    for (int i = 0; i < kGridPointCount; ++i) {
        out << FormatNumber(grid[i], kHertzFormat);
        for (const NamedCurve& curve : curves) {
            out << ',' << FormatNumber(curve.db[i], kDbFormat);
        }
        out << '\n';
    }
}
}  // namespace

int RunCurves(Arguments arguments, std::ostream& out, std::ostream& err) {
    const bool csv = arguments.size() == 2 && arguments[1] == "--csv";
    if (arguments.size() != 1 && !csv) {
        err << "usage: sonavel-cli curves FILE.dia [--csv]\n";
        return kUsageError;
    }
    CAudio_Data program;
    const ProgramFileResult loaded = LoadProgramFile(arguments[0], program);
    if (!loaded.ok) {
        err << loaded.error.english << ": " << loaded.path.string() << '\n';
        return kFailure;
    }
    const std::vector<NamedCurve> curves = ChannelCurves(program);
    if (csv) {
        WriteCsv(out, curves);
    } else {
        WriteJson(out, curves);
    }
    return kSuccess;
}

}  // namespace cli
