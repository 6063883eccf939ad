// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdio>
#include <ostream>

#include "commands/CliCommands.h"
#include "model/Audio_Data.h"
#include "model/ProgramFile.h"
#include "protocol/HexText.h"

namespace cli {
namespace {
int Fail(std::ostream& err, const ProgramFileResult& result) {
    err << result.error.english << ": " << result.path.string() << '\n';
    return kFailure;
}

int WrongArguments(std::ostream& err, std::string_view usage) {
    err << "usage: sonavel-cli " << usage << '\n';
    return kUsageError;
}
}  // namespace

int RunNew(Arguments arguments, std::ostream&, std::ostream& err) {
    if (arguments.size() != 1) {
        return WrongArguments(err, "new OUT.dia");
    }
    CAudio_Data program;
    const ProgramFileResult saved = SaveProgramFile(arguments[0], program);
    return saved.ok ? kSuccess : Fail(err, saved);
}

int RunResave(Arguments arguments, std::ostream&, std::ostream& err) {
    if (arguments.size() != 2) {
        return WrongArguments(err, "resave IN.dia OUT.dia");
    }
    CAudio_Data program;
    const ProgramFileResult loaded = LoadProgramFile(arguments[0], program);
    if (!loaded.ok) {
        return Fail(err, loaded);
    }
    const ProgramFileResult saved = SaveProgramFile(arguments[1], program);
    return saved.ok ? kSuccess : Fail(err, saved);
}

int RunImage(Arguments arguments, std::ostream& out, std::ostream& err) {
    if (arguments.size() != 1) {
        return WrongArguments(err, "image FILE.dia");
    }
    CAudio_Data program;
    const ProgramFileResult loaded = LoadProgramFile(arguments[0], program);
    if (!loaded.ok) {
        return Fail(err, loaded);
    }
    program.BuildImage();
    const auto& image = program.GetImage();
    out << HexText(std::span(image.data(), CAudio_Data::kImageSize), "", HexCase::Lower) << '\n';
    return kSuccess;
}

}  // namespace cli
