// SPDX-License-Identifier: GPL-3.0-or-later
// One connection of the command-line client, wired as the editor wires its
// main view: the program, the preset store and system data, the protocol
// engine, the transfers and the connection manager, on the Qt event loop of
// the calling thread. It opens the link, waits for the device's answers and
// reports every failure as one line of text.
//
// The constraint: every wait runs against one overall deadline, set when the
// session is made, so no command can hang on a dead link; and the session
// needs a QCoreApplication on the calling thread.
#pragma once

#include <QDeadlineTimer>
#include <QObject>
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>

#include "device/DeviceEnvironment.h"
#include "device/ExchangeMonitor.h"
#include "device/HeadlessView.h"
#include "device/LinkAddress.h"
#include "links/ConnectionManager.h"
#include "model/Audio_Data.h"
#include "model/PresetStore.h"
#include "model/SystemData.h"
#include "protocol/ChangeScanner.h"
#include "protocol/Command.h"
#include "protocol/DeviceDataTargets.h"
#include "protocol/DeviceTransfers.h"

class CUsbPort;
class HidBackend;

namespace cli {

class DeviceSession {
  public:
    DeviceSession(const DeviceEnvironment& environment, int timeoutSeconds, bool verbose,
                  std::ostream& progress);
    ~DeviceSession();
    DeviceSession(const DeviceSession&) = delete;
    DeviceSession& operator=(const DeviceSession&) = delete;

    // Opens the link and waits for the connect sequence (names, system data,
    // the current program) to be answered. False with Error() set otherwise.
    bool Connect(const LinkAddress& address);
    void Disconnect();

    // Runs the event loop until `done` holds. False, with Error() set, when the
    // link fails or closes, or the deadline passes first.
    bool WaitFor(const std::function<bool()>& done, std::string_view what);
    // Waits until the device has answered `request` with its own reply. A
    // refusal of any request is an error, except over USB, where the link
    // sends a refused request again.
    bool WaitForAnswer(const RequestKey& request, std::string_view what);
    // Waits until the program has no change left to send and the device has
    // accepted every row write sent (crossovers walking to their frequency).
    bool WaitForRowsToSettle(std::string_view what);

    // Writes a progress line, after any transcript lines waiting to be shown.
    void Progress(std::string_view text);

    const std::string& Error() const { return error_; }
    void Fail(std::string text) { error_ = std::move(text); }

    CAudio_Data& Program() { return program_; }
    PresetStore& Presets() { return presets_; }
    SystemData& System() { return system_; }
    CCommand& Engine() { return engine_; }
    DeviceTransfers& Transfers() { return transfers_; }
    HeadlessView& View() { return view_; }

  private:
    void FlushTranscript();
    void CreateUsbPort();

    const DeviceEnvironment environment_;
    const QDeadlineTimer deadline_;
    const int timeoutSeconds_;
    std::ostream& progress_;
    std::string error_;
    std::string linkFailure_;
    LinkKind linkKind_ = LinkKind::None;

    ExchangeMonitor monitor_;
    CAudio_Data program_;
    PresetStore presets_;
    SystemData system_;
    HeadlessView view_;
    DeviceDataTargets targets_;
    ProgramChangeSource source_;
    CCommand engine_;
    DeviceTransfers transfers_;
    ConnectionManager manager_;
    std::unique_ptr<HidBackend> ownHidBackend_;
    std::unique_ptr<CUsbPort> usb_;
};

}  // namespace cli
