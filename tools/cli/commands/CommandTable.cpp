// SPDX-License-Identifier: GPL-3.0-or-later
#include <array>
#include <ostream>
#include <string_view>

#include "commands/CliCommands.h"

namespace cli {
namespace {
struct Command {
    std::string_view name;
    std::string_view usage;
    int (*run)(Arguments, std::ostream&, std::ostream&);
};

constexpr std::array kCommands{
    Command{"new", "new OUT.dia", RunNew},
    Command{"image", "image FILE.dia", RunImage},
    Command{"resave", "resave IN.dia OUT.dia", RunResave},
    Command{"curves", "curves FILE.dia [--csv]", RunCurves},
    Command{"show", "show FILE.dia", RunShow},
    Command{"diff", "diff A.dia B.dia", RunDiff},
    Command{"autoeq", "autoeq MEASUREMENT... --channel CHANNEL [...] --out FILE.dia", RunAutoEq},
};

void PrintUsage(std::ostream& err) {
    err << "usage: sonavel-cli";
    std::string_view separator = " ";
    for (const Command& command : kCommands) {
        err << separator << command.usage;
        separator = " | ";
    }
    err << '\n';
}
}  // namespace

int RunCommandLine(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    if (words.empty()) {
        PrintUsage(err);
        return kUsageError;
    }
    for (const Command& command : kCommands) {
        if (words.front() == command.name) {
            return command.run(Arguments(words).subspan(1), out, err);
        }
    }
    PrintUsage(err);
    return kUsageError;
}

}  // namespace cli
