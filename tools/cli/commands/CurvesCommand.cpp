// SPDX-License-Identifier: GPL-3.0-or-later
#include <ostream>
#include <vector>

#include "commands/CliCommands.h"
#include "model/Audio_Data.h"
#include "model/ProgramFile.h"
#include "model/ResponseExport.h"

namespace cli {

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
    const std::vector<NamedResponse> curves = ChannelResponses(program);
    if (csv) {
        WriteResponsesCsv(out, curves);
    } else {
        WriteResponsesJson(out, curves);
    }
    return kSuccess;
}

}  // namespace cli
