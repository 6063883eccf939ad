// SPDX-License-Identifier: GPL-3.0-or-later
// The device commands that move programs. Each opens the link, lets the
// connect sequence read the device as the editor does, then runs its own
// transfer and waits for exactly the answers that transfer needs.
#include <charconv>
#include <optional>
#include <ostream>
#include <string>

#include "commands/CliCommands.h"
#include "device/DeviceCommands.h"
#include "device/DeviceSession.h"
#include "device/DeviceSummaryJson.h"
#include "model/ChannelIndex.h"
#include "model/GbkText.h"
#include "model/PresetStore.h"
#include "model/ProgramFile.h"
#include "protocol/Frame.h"
#include "protocol/Requests.h"

namespace cli {
namespace {
constexpr int kFirstPresetSlot = 1;
constexpr int kLastPresetSlot = 20;
constexpr int kEffectGroupCount = 4;
constexpr uint8_t kNameWriteSubCommand = 5;
constexpr uint8_t kEffectGroupSubCommand = 3;
constexpr const char* kDownloadNotice = "You have saved data according to the download!";
constexpr const char* kEmptyNameMessage = "Program Name is not empty";

int Usage(std::ostream& err, std::string_view usage) {
    err << "usage: sonavel-cli --link tcp:HOST:PORT|serial:PATH|usb " << usage << '\n';
    return kUsageError;
}

std::optional<int> ParseNumber(const std::string& text, int lowest, int highest) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        value < lowest || value > highest) {
        return std::nullopt;
    }
    return value;
}

int Failed(std::ostream& err, const std::string& message) {
    err << message << '\n';
    return kFailure;
}

int Failed(std::ostream& err, const DeviceSession& session) {
    return Failed(err, session.Error());
}

int FileFailed(std::ostream& err, const ProgramFileResult& result) {
    return Failed(err, std::string(result.error.english) + ": " + result.path.string());
}

// Saves the session's program when --out asks for it, after the link is closed.
int SaveIfAsked(const DeviceArguments& arguments, DeviceSession& session, std::ostream& err) {
    if (!arguments.outPath) {
        return kSuccess;
    }
    const ProgramFileResult saved = SaveProgramFile(*arguments.outPath, session.Program());
    return saved.ok ? kSuccess : FileFailed(err, saved);
}

bool QueuedOrFail(const TransferStart& start, DeviceSession& session) {
    if (!start.queued) {
        session.Fail("the link closed before the request could be queued");
    }
    return start.queued;
}
}  // namespace

int RunRead(const DeviceArguments& arguments, const DeviceEnvironment& environment,
            std::ostream& out, std::ostream& err) {
    if (!arguments.operands.empty()) {
        return Usage(err, "read [--out FILE.dia]");
    }
    DeviceSession session(environment, arguments.timeoutSeconds, arguments.verbose, err);
    if (!session.Connect(*arguments.link)) {
        return Failed(err, session);
    }
    session.Disconnect();
    // The summary says the whole read worked, so it waits for the save too.
    if (const int saved = SaveIfAsked(arguments, session, err); saved != kSuccess) {
        return saved;
    }
    out << DeviceSummaryJson(session.Presets(), session.System()) << '\n';
    return kSuccess;
}

int RunWrite(const DeviceArguments& arguments, const DeviceEnvironment& environment, std::ostream&,
             std::ostream& err) {
    if (arguments.operands.size() != 1) {
        return Usage(err, "write FILE.dia");
    }
    const std::string& path = arguments.operands[0];
    // A bad file must fail before anything reaches the device.
    CAudio_Data check;
    if (const ProgramFileResult loaded = LoadProgramFile(path, check); !loaded.ok) {
        return FileFailed(err, loaded);
    }
    DeviceSession session(environment, arguments.timeoutSeconds, arguments.verbose, err);
    if (!session.Connect(*arguments.link)) {
        return Failed(err, session);
    }
    {
        const auto guard = session.Engine().Queue().Lock();
        if (const ProgramFileResult loaded = LoadProgramFile(path, session.Program()); !loaded.ok) {
            return FileFailed(err, loaded);
        }
        // The whole program goes out in the download; row writes of the same
        // values would only follow it.
        session.Program().ClearPendingChanges();
    }
    session.Progress("downloading " + path + " as the current program");
    if (!QueuedOrFail(session.Transfers().StoreProgram(0), session) ||
        !session.WaitForAnswer({Command::kWrite, kNameWriteSubCommand, 0, kNameArgument},
                               "the name write of the current program") ||
        !session.WaitForAnswer({Command::kProgramWrite, 0, 0}, "the program download") ||
        !session.WaitForRowsToSettle("the rows that follow the download")) {
        return Failed(err, session);
    }
    session.Disconnect();
    session.Progress(kDownloadNotice);
    return kSuccess;
}

int RunRecall(const DeviceArguments& arguments, const DeviceEnvironment& environment, std::ostream&,
              std::ostream& err) {
    const std::optional<int> slot =
        arguments.operands.size() == 1
            ? ParseNumber(arguments.operands[0], kFirstPresetSlot, kLastPresetSlot)
            : std::nullopt;
    if (!slot) {
        return Usage(err, "recall SLOT(1..20) [--out FILE.dia]");
    }
    DeviceSession session(environment, arguments.timeoutSeconds, arguments.verbose, err);
    if (!session.Connect(*arguments.link)) {
        return Failed(err, session);
    }
    const int loadedBefore = session.View().ProgramsLoaded();
    session.Progress("recalling preset " + std::to_string(*slot));
    if (!QueuedOrFail(session.Transfers().RecallPreset(*slot), session) ||
        !session.WaitForAnswer(
            {Command::kRecallPreset, 0, static_cast<uint8_t>(*slot), kBulkReadArgument},
            "the recall of preset " + std::to_string(*slot)) ||
        !session.WaitFor([&] { return session.View().ProgramsLoaded() > loadedBefore; },
                         "the recalled program")) {
        return Failed(err, session);
    }
    session.Disconnect();
    return SaveIfAsked(arguments, session, err);
}

int RunStore(const DeviceArguments& arguments, const DeviceEnvironment& environment, std::ostream&,
             std::ostream& err) {
    const std::optional<int> slot =
        arguments.operands.size() == 2
            ? ParseNumber(arguments.operands[0], kFirstPresetSlot, kLastPresetSlot)
            : std::nullopt;
    if (!slot) {
        return Usage(err, "store SLOT(1..20) NAME");
    }
    const std::string_view typed = TrimSpaces(arguments.operands[1]);
    if (typed.empty()) {
        return Failed(err, kEmptyNameMessage);
    }
    // The device keeps names in GBK; a name it cannot hold whole is refused
    // before anything is sent, never stored cut or with replaced characters.
    const GbkEncoding encoding = EncodeGbk(typed);
    if (!encoding.Ok()) {
        return Failed(
            err, "the device cannot store the character \"" + encoding.refused + "\" in a name");
    }
    const std::string& name = encoding.bytes;
    if (name.size() > kProgramNameTextLimit) {
        return Failed(err, "the name takes " + std::to_string(name.size()) +
                               " bytes in GBK; the device keeps " +
                               std::to_string(kProgramNameTextLimit));
    }
    DeviceSession session(environment, arguments.timeoutSeconds, arguments.verbose, err);
    if (!session.Connect(*arguments.link)) {
        return Failed(err, session);
    }
    session.Presets().SetName(0, name);
    session.Presets().SetName(*slot, name);
    const auto slotByte = static_cast<uint8_t>(*slot);
    session.Progress("storing the current program as preset " + std::to_string(*slot) + " '" +
                     DecodeGbk(session.Presets().Name(*slot)) + "'");
    if (!QueuedOrFail(session.Transfers().StoreProgram(*slot), session)) {
        return Failed(err, session);
    }
    // The device keeps names only for the user presets, so only they are written.
    const bool nameWritten = *slot <= 10;
    if ((nameWritten &&
         !session.WaitForAnswer({Command::kWrite, kNameWriteSubCommand, slotByte, kNameArgument},
                                "the name write of preset " + std::to_string(*slot))) ||
        !session.WaitForAnswer({Command::kStorePreset, 0, slotByte},
                               "the store into preset " + std::to_string(*slot))) {
        return Failed(err, session);
    }
    session.Disconnect();
    return kSuccess;
}

int RunEffectGroup(const DeviceArguments& arguments, const DeviceEnvironment& environment,
                   std::ostream&, std::ostream& err) {
    const std::optional<int> group = arguments.operands.size() == 1
                                         ? ParseNumber(arguments.operands[0], 1, kEffectGroupCount)
                                         : std::nullopt;
    if (!group) {
        return Usage(err, "effect-group 1..4 [--out FILE.dia]");
    }
    const auto code = static_cast<uint8_t>(2 * *group);
    const int deviceGroup = DeviceTransfers::kEffectGroups[*group - 1];
    DeviceSession session(environment, arguments.timeoutSeconds, arguments.verbose, err);
    if (!session.Connect(*arguments.link)) {
        return Failed(err, session);
    }
    {
        // As the main page does before it asks the device: local only, never sent by itself.
        const auto guard = session.Engine().Queue().Lock();
        session.Program().GetEffect().SetEffectMode(code);
        session.Program().GetInput(InputChannel::kMicrophone).SetEffectCodes(code);
    }
    const int loadedBefore = session.View().EffectRecordsLoaded();
    session.Progress("loading effect group " + std::to_string(*group));
    if (!QueuedOrFail(session.Transfers().ReadEffectGroup(deviceGroup), session) ||
        !session.WaitForAnswer({Command::kEffectGroupRead, kEffectGroupSubCommand,
                                static_cast<uint8_t>(deviceGroup), kBulkReadArgument},
                               "effect group " + std::to_string(*group)) ||
        !session.WaitFor([&] { return session.View().EffectRecordsLoaded() > loadedBefore; },
                         "the effect record")) {
        return Failed(err, session);
    }
    session.Disconnect();
    return SaveIfAsked(arguments, session, err);
}

}  // namespace cli
