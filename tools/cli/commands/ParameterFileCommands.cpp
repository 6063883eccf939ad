// SPDX-License-Identifier: GPL-3.0-or-later
// `show` and `diff` on ".dia" files: the program as parameter paths in the
// pages' units, and the paths where two programs differ.
#include <ostream>

#include "commands/CliCommands.h"
#include "commands/ParameterJson.h"
#include "model/Audio_Data.h"
#include "model/ProgramFile.h"

namespace cli {
namespace {
// diff's statuses are diff's own: 0 equal, 1 different, 2 trouble.
constexpr int kDiffEqual = 0;
constexpr int kDiffDifferent = 1;
constexpr int kDiffTrouble = 2;

bool LoadOrSay(const std::string& path, CAudio_Data& program, std::ostream& err) {
    const ProgramFileResult loaded = LoadProgramFile(path, program);
    if (!loaded.ok) {
        err << loaded.error.english << ": " << loaded.path.string() << '\n';
    }
    return loaded.ok;
}
}  // namespace

int RunShow(Arguments arguments, std::ostream& out, std::ostream& err) {
    if (arguments.size() != 1) {
        err << "usage: sonavel-cli show FILE.dia\n";
        return kUsageError;
    }
    CAudio_Data program;
    if (!LoadOrSay(arguments[0], program, err)) {
        return kFailure;
    }
    std::vector<JsonMember> members;
    for (const ParameterValue& value : ReadProgramParameters(program)) {
        members.push_back(value);
    }
    out << JsonObject(members) << '\n';
    return kSuccess;
}

int RunDiff(Arguments arguments, std::ostream& out, std::ostream& err) {
    if (arguments.size() != 2) {
        err << "usage: sonavel-cli diff A.dia B.dia\n";
        return kDiffTrouble;
    }
    CAudio_Data a;
    CAudio_Data b;
    if (!LoadOrSay(arguments[0], a, err) || !LoadOrSay(arguments[1], b, err)) {
        return kDiffTrouble;
    }
    const std::vector<JsonMember> differences =
        ParameterDifferences(ReadProgramParameters(a), ReadProgramParameters(b));
    out << JsonObject(differences) << '\n';
    return differences.empty() ? kDiffEqual : kDiffDifferent;
}

}  // namespace cli
