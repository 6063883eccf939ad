// SPDX-License-Identifier: GPL-3.0-or-later
// The device commands that speak in parameter paths: `show` prints the
// device's current program, `diff` compares it with a file or with another
// device, and `set` changes parameters on the device. `set` writes into the
// session's program through the pages' setters and lets the protocol engine
// send the flagged rows, exactly as an edit in the editor reaches the device,
// then waits until every row has been answered.
//
// The constraint: every check on an edit is made before the first row is
// queued, so an edit the device must not get leaves the device untouched.
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "commands/CliCommands.h"
#include "commands/ParameterJson.h"
#include "device/DeviceCommands.h"
#include "device/DeviceSession.h"
#include "device/DeviceSummaryJson.h"
#include "model/ProgramFile.h"
#include "model/ProgramParameters.h"
#include "protocol/Frame.h"
#include "protocol/PendingChanges.h"

namespace cli {
namespace {
constexpr int kDiffEqual = 0;
constexpr int kDiffDifferent = 1;
constexpr int kDiffTrouble = 2;

JsonMember LinkMember(const LinkAddress& link) {
    return {"link", JsonString(DescribeLinkAddress(link))};
}

// One line on stderr naming the link, and the same as this link's JSON object.
int ReportFailure(const LinkAddress& link, const std::string& message, std::ostream& out,
                  std::ostream& err, int status = kFailure) {
    err << DescribeLinkAddress(link) << ": " << message << '\n';
    out << JsonObject({LinkMember(link), {"error", JsonString(message)}}) << '\n';
    return status;
}

// The device's current program as parameter values, or the one-line reason there are none.
std::variant<std::vector<ParameterValue>, std::string> ReadDevice(
    const LinkAddress& link, const DeviceArguments& arguments, const DeviceEnvironment& environment,
    std::ostream& err) {
    DeviceSession session(environment, arguments.timeoutSeconds, arguments.verbose, err);
    if (!session.Connect(link)) {
        return session.Error();
    }
    std::vector<ParameterValue> values;
    {
        const auto guard = session.Engine().Queue().Lock();
        values = ReadProgramParameters(session.Program());
    }
    session.Disconnect();
    return values;
}

// True once the program has no flagged edit left and no row write waits for its answer.
bool EveryRowAnswered(DeviceSession& session) {
    const auto guard = session.Engine().Queue().Lock();
    return !HasPendingChange(session.Program()) &&
           session.Engine().Queue().CountOf(Command::kWrite) == 0;
}
}  // namespace

int RunShowDevice(const DeviceArguments& arguments, const DeviceEnvironment& environment,
                  std::ostream& out, std::ostream& err) {
    if (!arguments.operands.empty()) {
        err << "usage: sonavel-cli --link tcp:HOST:PORT|serial:PATH|usb show\n";
        return kUsageError;
    }
    const LinkAddress& link = *arguments.link;
    auto read = ReadDevice(link, arguments, environment, err);
    if (const std::string* error = std::get_if<std::string>(&read)) {
        return ReportFailure(link, *error, out, err);
    }
    std::vector<JsonMember> members{LinkMember(link)};
    for (const ParameterValue& value : std::get<std::vector<ParameterValue>>(read)) {
        members.push_back(value);
    }
    out << JsonObject(members) << '\n';
    return kSuccess;
}

int RunDiffDevice(const DeviceArguments& arguments, const DeviceEnvironment& environment,
                  std::ostream& out, std::ostream& err) {
    const bool againstFile = arguments.operands.size() == 1 && !arguments.links.empty();
    const bool betweenDevices = arguments.operands.empty() && arguments.links.size() >= 2;
    if (!againstFile && !betweenDevices) {
        err << "usage: sonavel-cli diff A.dia --link ... [--link ...] | "
               "diff --link A --link B [--link ...]\n";
        return kDiffTrouble;
    }
    std::vector<ParameterValue> reference;
    std::optional<JsonMember> referenceMember;
    size_t firstCompared = 0;
    if (againstFile) {
        CAudio_Data program;
        const ProgramFileResult loaded = LoadProgramFile(arguments.operands[0], program);
        if (!loaded.ok) {
            err << loaded.error.english << ": " << loaded.path.string() << '\n';
            return kDiffTrouble;
        }
        reference = ReadProgramParameters(program);
    } else {
        const LinkAddress& first = arguments.links.front();
        auto read = ReadDevice(first, arguments, environment, err);
        if (const std::string* error = std::get_if<std::string>(&read)) {
            return ReportFailure(first, *error, out, err, kDiffTrouble);
        }
        reference = std::get<std::vector<ParameterValue>>(std::move(read));
        referenceMember = JsonMember{"reference", JsonString(DescribeLinkAddress(first))};
        firstCompared = 1;
    }
    int status = kDiffEqual;
    for (size_t i = firstCompared; i < arguments.links.size(); ++i) {
        const LinkAddress& link = arguments.links[i];
        auto read = ReadDevice(link, arguments, environment, err);
        if (const std::string* error = std::get_if<std::string>(&read)) {
            status = ReportFailure(link, *error, out, err, kDiffTrouble);
            continue;
        }
        const std::vector<JsonMember> differences =
            ParameterDifferences(reference, std::get<std::vector<ParameterValue>>(read));
        std::vector<JsonMember> members{LinkMember(link)};
        if (referenceMember) {
            members.push_back(*referenceMember);
        }
        members.insert(members.end(), differences.begin(), differences.end());
        out << JsonObject(members) << '\n';
        if (!differences.empty() && status == kDiffEqual) {
            status = kDiffDifferent;
        }
    }
    return status;
}

int RunSet(const DeviceArguments& arguments, const DeviceEnvironment& environment,
           std::ostream& out, std::ostream& err) {
    if (arguments.operands.empty()) {
        err << "usage: sonavel-cli --link ... set PATH=VALUE [PATH=VALUE ...]\n";
        return kUsageError;
    }
    // A value that is wrong on every device fails before any device is reached.
    std::vector<ParameterEdit> edits;
    for (const std::string& operand : arguments.operands) {
        auto parsed = ParseParameterEdit(operand);
        if (const std::string* error = std::get_if<std::string>(&parsed)) {
            err << *error << '\n';
            return kUsageError;
        }
        edits.push_back(std::get<ParameterEdit>(std::move(parsed)));
    }
    const LinkAddress& link = *arguments.link;
    DeviceSession session(environment, arguments.timeoutSeconds, arguments.verbose, err);
    if (!session.Connect(link)) {
        return ReportFailure(link, session.Error(), out, err);
    }
    {
        const auto guard = session.Engine().Queue().Lock();
        if (const std::optional<std::string> problem =
                CheckParameterEdits(session.Program(), edits)) {
            session.Disconnect();
            return ReportFailure(link, *problem, out, err);
        }
        ApplyParameterEdits(session.Program(), edits);
    }
    session.Progress("setting " + std::to_string(edits.size()) + " parameter" +
                     (edits.size() == 1 ? "" : "s"));
    if (!session.WaitFor([&] { return EveryRowAnswered(session); },
                         "the device to answer every row")) {
        const std::string error = session.Error();
        session.Disconnect();
        return ReportFailure(link, error, out, err);
    }
    std::map<std::string, std::string> now;
    {
        const auto guard = session.Engine().Queue().Lock();
        for (auto& [path, value] : ReadProgramParameters(session.Program())) {
            now.emplace(std::move(path), std::move(value));
        }
    }
    session.Disconnect();
    // What the device holds now, which for a delay or a Q is the nearest step.
    std::vector<JsonMember> members{LinkMember(link)};
    for (const ParameterEdit& edit : edits) {
        const std::string path = FormatParameterPath(edit.path);
        const bool listed = std::ranges::any_of(
            members, [&](const JsonMember& member) { return member.first == path; });
        if (!listed && now.contains(path)) {
            members.emplace_back(path, now.at(path));
        }
    }
    out << JsonObject(members) << '\n';
    return kSuccess;
}

}  // namespace cli
