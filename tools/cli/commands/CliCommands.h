// SPDX-License-Identifier: GPL-3.0-or-later
// The commands of sonavel-cli. Each takes its own arguments (the words after
// the command name) and two streams, and returns the process exit status, so
// tests run them in-process. Failures write one line to `err` and return a
// non-zero status; nothing here ever touches the network.
#pragma once

#include <iosfwd>
#include <span>
#include <string>
#include <vector>

namespace cli {

inline constexpr int kSuccess = 0;
inline constexpr int kFailure = 1;
inline constexpr int kUsageError = 2;

using Arguments = std::span<const std::string>;

int RunNew(Arguments arguments, std::ostream& out, std::ostream& err);
int RunImage(Arguments arguments, std::ostream& out, std::ostream& err);
int RunResave(Arguments arguments, std::ostream& out, std::ostream& err);
int RunCurves(Arguments arguments, std::ostream& out, std::ostream& err);
int RunShow(Arguments arguments, std::ostream& out, std::ostream& err);
// Exits as diff does: 0 equal, 1 different, 2 trouble.
int RunDiff(Arguments arguments, std::ostream& out, std::ostream& err);
// A room measurement fitted onto a channel's bands of a ".dia" program.
int RunAutoEq(Arguments arguments, std::ostream& out, std::ostream& err);

// `words` is the whole command line after the program name.
int RunCommandLine(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);

}  // namespace cli
