// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/DeviceSession.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <ostream>

#include "links/HidApiBackend.h"
#include "links/Usb_Port.h"
#include "protocol/Frame.h"
#include "protocol/PendingChanges.h"

namespace cli {
namespace {
// How often a wait looks at its condition, the link and the deadline.
constexpr int kCheckIntervalMs = 5;
constexpr int kMillisecondsPerSecond = 1000;
}  // namespace

DeviceSession::DeviceSession(const DeviceEnvironment& environment, int timeoutSeconds, bool verbose,
                             std::ostream& progress)
    : environment_(environment),
      deadline_(static_cast<qint64>(timeoutSeconds) * kMillisecondsPerSecond),
      timeoutSeconds_(timeoutSeconds),
      progress_(progress),
      monitor_(verbose),
      view_(program_),
      targets_(presets_, system_),
      source_(program_),
      engine_(source_, targets_, view_),
      transfers_(engine_.Queue(), program_, presets_, system_),
      manager_(engine_, transfers_, program_) {
    engine_.SetFrameTap(&monitor_);
    view_.Attach(engine_, transfers_, manager_);
    QObject::connect(&manager_, &ConnectionManager::FailureMessage, &manager_,
                     [this](BilingualText text) {
                         if (linkFailure_.empty()) {
                             linkFailure_ = text.english;
                         }
                     });
    if (environment_.pumpIntervalMs > 0) {
        manager_.SetPumpIntervalForTesting(LinkKind::Serial, environment_.pumpIntervalMs);
        manager_.SetPumpIntervalForTesting(LinkKind::Network, environment_.pumpIntervalMs);
    }
}

DeviceSession::~DeviceSession() {
    Disconnect();
    manager_.SetUsbPort(nullptr);
}

void DeviceSession::FlushTranscript() {
    for (const std::string& line : monitor_.TakeTranscript()) {
        progress_ << line << '\n';
    }
}

void DeviceSession::Progress(std::string_view text) {
    FlushTranscript();
    progress_ << "sonavel-cli: " << text << '\n';
    progress_.flush();
}

void DeviceSession::CreateUsbPort() {
    HidBackend* backend = environment_.hidBackend;
    if (backend == nullptr) {
        ownHidBackend_ = std::make_unique<HidApiBackend>();
        backend = ownHidBackend_.get();
    }
    usb_ = std::make_unique<CUsbPort>(*backend, engine_, view_);
    if (environment_.usbTimingDivisor > 1) {
        usb_->ScaleTimingsForTesting(environment_.usbTimingDivisor);
    }
    manager_.SetUsbPort(usb_.get());
}

bool DeviceSession::Connect(const LinkAddress& address) {
    linkKind_ = address.kind;
    ConnectionSettings& settings = manager_.Settings();
    ApplyLinkAddress(address, settings);
    switch (address.kind) {
        case LinkKind::Network:
        case LinkKind::Serial:
            break;
        case LinkKind::Usb:
            CreateUsbPort();
            break;
        default:
            Fail("no link chosen");
            return false;
    }
    Progress("connecting over " + DescribeLinkAddress(address));
    manager_.Connect();
    if (!WaitFor([this] { return manager_.IsConnected(); }, "the link to open")) {
        return false;
    }
    Progress("reading program names, system settings and the current program");
    return WaitFor([this] { return view_.ProgramsLoaded() >= 1; },
                   "the device's names, system settings and program");
}

void DeviceSession::Disconnect() {
    if (manager_.IsConnected() || manager_.IsConnecting()) {
        manager_.Disconnect();
    }
    FlushTranscript();
}

bool DeviceSession::WaitFor(const std::function<bool()>& done, std::string_view what) {
    // Only a link that is open or still opening can bring the answer.
    const auto linkLost = [this] {
        return !linkFailure_.empty() || (!manager_.IsConnected() && !manager_.IsConnecting());
    };
    // Serial and TCP drop a refused request and go on without it, so whatever
    // the command waits for would be incomplete; over USB the request is
    // sent again and only the link's giving up ends it.
    const auto refusedForGood = [this] {
        return linkKind_ != LinkKind::Usb && monitor_.Refusal().has_value();
    };
    const auto finished = [&] {
        return refusedForGood() || done() || linkLost() || deadline_.hasExpired() ||
               !error_.empty();
    };
    if (!finished()) {
        QEventLoop loop;
        QTimer check;
        check.setInterval(kCheckIntervalMs);
        QObject::connect(&check, &QTimer::timeout, &loop, [&] {
            FlushTranscript();
            if (finished()) {
                loop.quit();
            }
        });
        check.start();
        loop.exec();
    }
    FlushTranscript();
    const std::optional<RequestKey> refusal = monitor_.Refusal();
    if (refusedForGood()) {
        Fail("the device refused " + DescribeRequest(*refusal));
        return false;
    }
    if (done()) {
        return true;
    }
    if (!error_.empty()) {
        return false;
    }
    if (!linkFailure_.empty() && refusal) {
        Fail("the device refused " + DescribeRequest(*refusal) + "; " + linkFailure_);
    } else if (!linkFailure_.empty()) {
        Fail(linkFailure_ + " (while waiting for " + std::string(what) + ")");
    } else if (linkLost()) {
        Fail("the link closed while waiting for " + std::string(what));
    } else {
        Fail("timed out after " + std::to_string(timeoutSeconds_) + " s waiting for " +
             std::string(what));
    }
    return false;
}

bool DeviceSession::WaitForAnswer(const RequestKey& request, std::string_view what) {
    return WaitFor([&] { return monitor_.Outcome(request) == ReplyOutcome::Answered; }, what);
}

bool DeviceSession::WaitForRowsToSettle(std::string_view what) {
    return WaitFor(
        [this] {
            const CSendDataQueue::Guard guard = engine_.Queue().Lock();
            // A row leaves the queue only once the device has accepted it.
            const bool rowQueued = engine_.Queue().Find([](const CSendData& message) {
                return message.command != Command::kStatusPoll;
            }) != nullptr;
            return !rowQueued && !HasPendingChange(program_);
        },
        what);
}

}  // namespace cli
