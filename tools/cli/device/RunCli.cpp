// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/RunCli.h"

#include <QCoreApplication>
#include <algorithm>
#include <array>
#include <memory>
#include <ostream>
#include <string_view>
#include <variant>

#include "commands/CliCommands.h"
#include "device/DeviceArguments.h"
#include "device/DeviceCommands.h"

namespace cli {
namespace {
using DeviceRunner = int (*)(const DeviceArguments&, const DeviceEnvironment&, std::ostream&,
                             std::ostream&);

struct DeviceCommand {
    std::string_view name;
    bool needsLink;
    DeviceRunner run;
    // Takes all --link options at once instead of running once per link.
    bool takesAllLinks = false;
};

constexpr std::array kDeviceCommands{
    DeviceCommand{"read", true, RunRead},
    DeviceCommand{"write", true, RunWrite},
    DeviceCommand{"recall", true, RunRecall},
    DeviceCommand{"store", true, RunStore},
    DeviceCommand{"effect-group", true, RunEffectGroup},
    DeviceCommand{"show", true, RunShowDevice},
    DeviceCommand{"diff", true, RunDiffDevice, true},
    DeviceCommand{"set", true, RunSet},
    DeviceCommand{"autoeq", true, RunAutoEqDevice},
    DeviceCommand{"ports", false, RunPorts},
    DeviceCommand{"usb", false, RunUsbDevices},
};

constexpr std::array<std::string_view, 7> kFileCommands = {"new",  "image", "resave", "curves",
                                                           "show", "diff",  "autoeq"};

void PrintDeviceUsage(std::ostream& err) {
    err << "       sonavel-cli --link tcp:HOST:PORT|serial:PATH|usb [-v] [--timeout SECONDS]\n"
           "           read [--out FILE.dia] | write FILE.dia | recall SLOT [--out FILE.dia]\n"
           "           | store SLOT NAME | effect-group 1..4 [--out FILE.dia]\n"
           "           | show | set PATH=VALUE... | diff [FILE.dia]   (--link may be repeated)\n"
           "           | autoeq MEASUREMENT... --channel CHANNEL [...]\n"
           "       sonavel-cli ports | usb\n";
}

// The links' debug traces would add lines to the one-line failure report; -v keeps them.
class QuietDebugTraces {
  public:
    explicit QuietDebugTraces(bool verbose) : installed_(!verbose) {
        if (installed_) {
            previous_ = qInstallMessageHandler(DropDebug);
        }
    }
    ~QuietDebugTraces() {
        if (installed_) {
            qInstallMessageHandler(previous_);
        }
    }
    QuietDebugTraces(const QuietDebugTraces&) = delete;
    QuietDebugTraces& operator=(const QuietDebugTraces&) = delete;

  private:
    static void DropDebug(QtMsgType type, const QMessageLogContext& context,
                          const QString& message) {
        if (type == QtDebugMsg || type == QtInfoMsg) {
            return;
        }
        if (previous_ != nullptr) {
            previous_(type, context, message);
        }
    }

    // Handlers are plain functions, so the one they pass on to lives here.
    static inline QtMessageHandler previous_ = nullptr;
    const bool installed_;
};

// Several --link options: the command runs against each device in turn, and
// the status is the worst of them; a usage error stops at the first device.
int RunOnEachLink(DeviceRunner run, const DeviceArguments& arguments,
                  const DeviceEnvironment& environment, std::ostream& out, std::ostream& err) {
    if (arguments.outPath) {
        err << "--out takes one --link; every device would overwrite the same file\n";
        return kUsageError;
    }
    int worst = kSuccess;
    for (const LinkAddress& link : arguments.links) {
        DeviceArguments one = arguments;
        one.link = link;
        one.links = {link};
        const int status = run(one, environment, out, err);
        if (status == kUsageError) {
            return status;
        }
        worst = std::max(worst, status);
    }
    return worst;
}

// A process that is only a command-line tool has no application object yet.
std::unique_ptr<QCoreApplication> EnsureApplication() {
    if (QCoreApplication::instance() != nullptr) {
        return nullptr;
    }
    static int argc = 1;
    static char name[] = "sonavel-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QCoreApplication>(argc, argv);
}
}  // namespace

int RunCli(const std::vector<std::string>& words, std::ostream& out, std::ostream& err,
           const DeviceEnvironment& environment) {
    if (!IsDeviceCommandLine(words)) {
        const int status = RunCommandLine(words, out, err);
        // The file commands' own usage lists only them; an unknown word gets both.
        if (status == kUsageError &&
            (words.empty() ||
             std::ranges::find(kFileCommands, words.front()) == kFileCommands.end())) {
            PrintDeviceUsage(err);
        }
        return status;
    }
    auto parsed = ParseDeviceArguments(words);
    if (const std::string* error = std::get_if<std::string>(&parsed)) {
        err << *error << '\n';
        PrintDeviceUsage(err);
        return kUsageError;
    }
    const DeviceArguments& arguments = std::get<DeviceArguments>(parsed);
    for (const DeviceCommand& command : kDeviceCommands) {
        if (arguments.command != command.name) {
            continue;
        }
        if (command.needsLink && !arguments.link) {
            err << arguments.command
                << " needs --link tcp:HOST:PORT, serial:PATH or usb; there is no default\n";
            return kUsageError;
        }
        const std::unique_ptr<QCoreApplication> application = EnsureApplication();
        const QuietDebugTraces quiet(arguments.verbose);
        if (command.takesAllLinks || arguments.links.size() <= 1) {
            return command.run(arguments, environment, out, err);
        }
        return RunOnEachLink(command.run, arguments, environment, out, err);
    }
    err << "unknown command '" << arguments.command << "'\n";
    PrintDeviceUsage(err);
    return kUsageError;
}

}  // namespace cli
