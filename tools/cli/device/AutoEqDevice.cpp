// SPDX-License-Identifier: GPL-3.0-or-later
// `autoeq --link`: a room measurement fitted onto a channel of the device's
// current program and sent as `set` sends its edits: the device is read
// first, the result goes into the session's program through the pages'
// setters, the engine sends the flagged rows, and the command returns when
// the device has answered every one. Files and arguments are checked before
// the device is reached, and the edits before the first row is queued.
#include <ostream>
#include <variant>

#include "commands/AutoEqArguments.h"
#include "commands/AutoEqReport.h"
#include "commands/CliCommands.h"
#include "device/DeviceCommands.h"
#include "device/DeviceSession.h"
#include "device/DeviceSummaryJson.h"
#include "roomeq/RoomEqEdits.h"

namespace cli {
namespace {
int Fail(const LinkAddress& link, const std::string& message, std::ostream& out,
         std::ostream& err) {
    err << DescribeLinkAddress(link) << ": " << message << '\n';
    out << JsonObject(
               {{"link", JsonString(DescribeLinkAddress(link))}, {"error", JsonString(message)}})
        << '\n';
    return kFailure;
}
}  // namespace

int RunAutoEqDevice(const DeviceArguments& arguments, const DeviceEnvironment& environment,
                    std::ostream& out, std::ostream& err) {
    auto parsed = ParseAutoEqArguments(arguments.operands);
    if (const std::string* error = std::get_if<std::string>(&parsed)) {
        err << *error << '\n' << kAutoEqUsage << '\n';
        return kUsageError;
    }
    const AutoEqRequest& request = std::get<AutoEqRequest>(parsed);
    if (arguments.outPath || request.inPath) {
        err << "autoeq takes --link or --out (with --in), not both\n";
        return kUsageError;
    }
    auto prepared = PrepareAutoEqMeasurement(request);
    if (const std::string* error = std::get_if<std::string>(&prepared)) {
        err << *error << '\n';
        return kFailure;
    }
    const PreparedMeasurement& measurement = std::get<PreparedMeasurement>(prepared);

    const LinkAddress& link = *arguments.link;
    DeviceSession session(environment, arguments.timeoutSeconds, arguments.verbose, err);
    if (!session.Connect(link)) {
        return Fail(link, session.Error(), out, err);
    }
    ChainSnapshot chain;
    {
        const auto guard = session.Engine().Queue().Lock();
        chain = SnapshotChain(session.Program(), request.channel);
    }
    session.Progress("fitting " + RoomEqChannelName(request.channel));
    const ChannelFit fit = FitChannel(measurement, chain, request.channel, request.options);
    {
        const auto guard = session.Engine().Queue().Lock();
        const std::vector<ParameterEdit> edits = RoomEqEdits(session.Program(), fit);
        if (const std::optional<std::string> problem =
                CheckParameterEdits(session.Program(), edits)) {
            session.Disconnect();
            return Fail(link, *problem, out, err);
        }
        ApplyParameterEdits(session.Program(), edits);
    }
    session.Progress("setting the fitted bands");
    if (!session.WaitForRowsToSettle("the device to answer every row")) {
        const std::string error = session.Error();
        session.Disconnect();
        return Fail(link, error, out, err);
    }
    session.Disconnect();
    std::vector<JsonMember> members{{"link", JsonString(DescribeLinkAddress(link))}};
    for (JsonMember& member : AutoEqReport(measurement, fit, request.options)) {
        members.push_back(std::move(member));
    }
    out << JsonObject(members) << '\n';
    return kSuccess;
}

}  // namespace cli
