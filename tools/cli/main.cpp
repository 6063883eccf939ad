// SPDX-License-Identifier: GPL-3.0-or-later
#include <iostream>
#include <string>
#include <vector>

#include "commands/CliCommands.h"
#ifdef SONAVEL_CLI_DEVICE_COMMANDS
#include "device/RunCli.h"
#endif

int main(int argc, char** argv) {
    const std::vector<std::string> words(argv + 1, argv + argc);
#ifdef SONAVEL_CLI_DEVICE_COMMANDS
    return cli::RunCli(words, std::cout, std::cerr);
#else
    return cli::RunCommandLine(words, std::cout, std::cerr);
#endif
}
