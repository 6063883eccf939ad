// SPDX-License-Identifier: GPL-3.0-or-later
// `autoeq` on files: a room measurement fitted onto one channel of a ".dia"
// program (the one given with --in, or a new one), saved to --out. The
// result goes into the program through the same parameter edits as `set`,
// so it holds exactly what the pages would give it.
#include <ostream>
#include <variant>

#include "commands/AutoEqArguments.h"
#include "commands/AutoEqReport.h"
#include "commands/CliCommands.h"
#include "model/Audio_Data.h"
#include "model/ProgramFile.h"
#include "roomeq/RoomEqEdits.h"

namespace cli {

int RunAutoEq(Arguments arguments, std::ostream& out, std::ostream& err) {
    auto parsed = ParseAutoEqArguments({arguments.begin(), arguments.end()});
    if (const std::string* error = std::get_if<std::string>(&parsed)) {
        err << *error << '\n' << kAutoEqUsage << '\n';
        return kUsageError;
    }
    const AutoEqRequest& request = std::get<AutoEqRequest>(parsed);
    if (!request.outPath) {
        err << "autoeq needs --out FILE.dia, or --link to set a device\n";
        return kUsageError;
    }
    auto prepared = PrepareAutoEqMeasurement(request);
    if (const std::string* error = std::get_if<std::string>(&prepared)) {
        err << *error << '\n';
        return kFailure;
    }
    const PreparedMeasurement& measurement = std::get<PreparedMeasurement>(prepared);
    CAudio_Data program;
    if (request.inPath) {
        const ProgramFileResult loaded = LoadProgramFile(*request.inPath, program);
        if (!loaded.ok) {
            err << loaded.error.english << ": " << loaded.path.string() << '\n';
            return kFailure;
        }
    }
    const ChannelFit fit = FitChannel(measurement, SnapshotChain(program, request.channel),
                                      request.channel, request.options);
    const std::vector<ParameterEdit> edits = RoomEqEdits(program, fit);
    if (const std::optional<std::string> problem = CheckParameterEdits(program, edits)) {
        err << *problem << '\n';
        return kFailure;
    }
    ApplyParameterEdits(program, edits);
    const ProgramFileResult saved = SaveProgramFile(*request.outPath, program);
    if (!saved.ok) {
        err << saved.error.english << ": " << saved.path.string() << '\n';
        return kFailure;
    }
    out << JsonObject(AutoEqReport(measurement, fit, request.options)) << '\n';
    return kSuccess;
}

}  // namespace cli
