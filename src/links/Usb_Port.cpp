// SPDX-License-Identifier: GPL-3.0-or-later
#include "links/Usb_Port.h"

#include <QLoggingCategory>

#include "links/UsbDeviceIdentity.h"
#include "protocol/Command.h"
#include "protocol/ProtocolEvents.h"

namespace {

// Quiet unless enabled (QT_LOGGING_RULES="sonavel.usb.debug=true").
Q_LOGGING_CATEGORY(usbLog, "sonavel.usb", QtWarningMsg)

// Failed reads tolerated in a row before the link recovers.
constexpr int kReadRetries = 6;

}  // namespace

CUsbPort::CUsbPort(HidBackend& backend, CCommand& engine, ProtocolEvents& events, QObject* parent)
    : QObject(parent), backend_(backend), engine_(engine), events_(events) {
    worker_ = std::thread([this] { RunWorker(); });
}

CUsbPort::~CUsbPort() {
    eventSet_.Raise(UsbEvent::Quit);
    Resume();
    worker_.join();
    const std::lock_guard lock(deviceMutex_);
    connection_.reset();
    present_ = false;
}

bool CUsbPort::Open() {
    bool workerRunning = false;
    {
        const std::lock_guard lock(stateMutex_);
        workerRunning = running_;
    }
    if (workerRunning || present_) {
        // Never swap the handle under a running worker.
        Close();
        const std::lock_guard lock(stateMutex_);
        if (running_) {
            return false;
        }
    }
    eventSet_.Reset(UsbEvent::SendNext);
    eventSet_.Reset(UsbEvent::StartRead);
    if (!FindAndOpen()) {
        return false;
    }
    ResetEventsSlowly();
    Resume();
    return true;
}

void CUsbPort::Close() {
    bool parked = false;
    {
        std::unique_lock lock(stateMutex_);
        eventSet_.Raise(UsbEvent::Suspend);
        parked = stateChanged_.wait_for(lock, timings_.Scaled(timings_.stopWait),
                                        [this] { return !running_; });
        // A worker stuck in the driver keeps the handle; it lets go of it
        // itself as soon as it parks, and the window is not held meanwhile.
        dropWhenParked_ = !parked;
    }
    present_ = false;
    if (!parked) {
        qCWarning(usbLog, "the USB worker did not stop in time; the device is closed when it does");
        return;
    }
    ResetEventsSlowly();
    const std::lock_guard lock(deviceMutex_);
    connection_.reset();
}

void CUsbPort::Signal(UsbEvent event) {
    eventSet_.Raise(event);
}

std::string CUsbPort::DevicePath() const {
    const std::lock_guard lock(pathMutex_);
    return devicePath_;
}

void CUsbPort::HandleDeviceRemoved(const QString& devicePath) {
    if (!present_) {
        return;
    }
    const QString openPath = QString::fromStdString(DevicePath());
    if (devicePath.compare(openPath, Qt::CaseInsensitive) == 0) {
        emit OpenDeviceRemoved();
    }
}

bool CUsbPort::IsDeviceListed() const {
    return FindSonavelDevice(backend_.Enumerate()).has_value();
}

bool CUsbPort::FindAndOpen() {
    const std::lock_guard lock(deviceMutex_);
    connection_.reset();
    present_ = false;
    const std::optional<HidDeviceInfo> device = FindSonavelDevice(backend_.Enumerate());
    if (!device) {
        return false;
    }
    {
        const std::lock_guard pathLock(pathMutex_);
        devicePath_ = device->path;
    }
    connection_ = backend_.Open(device->path);
    present_ = connection_ != nullptr;
    return present_;
}

void CUsbPort::ResetEventsSlowly() {
    for (size_t index = 0; index < kUsbEventCount; ++index) {
        eventSet_.Reset(static_cast<UsbEvent>(index));
        std::this_thread::sleep_for(timings_.Scaled(timings_.eventResetPause));
    }
}

void CUsbPort::Resume() {
    {
        const std::lock_guard lock(stateMutex_);
        resumeRequested_ = true;
        // Counted as running from now on, so that a Close right after this waits
        // for the worker to park again instead of racing its wake-up.
        running_ = true;
    }
    stateChanged_.notify_all();
}

void CUsbPort::RunWorker() {
    ParkUntilResumed();
    for (;;) {
        {
            const std::lock_guard lock(stateMutex_);
            running_ = true;
        }
        const std::optional<UsbEvent> event = eventSet_.WaitLowest(ReplyWait());
        if (!event) {
            ServeTimeOut();
            continue;
        }
        switch (*event) {
            case UsbEvent::Quit:
                return;
            case UsbEvent::Suspend:
                ParkUntilResumed();
                break;
            case UsbEvent::SendNext:
                ServeSendNext();
                break;
            case UsbEvent::WriteCompletion:
                ServeWriteCompletion();
                break;
            case UsbEvent::StartRead:
                ServeStartRead();
                break;
            case UsbEvent::ReadCompletion:
                ServeReadCompletion();
                break;
        }
    }
}

void CUsbPort::ParkUntilResumed() {
    {
        std::unique_lock lock(stateMutex_);
        if (dropWhenParked_) {
            // The close that gave up waiting for this worker left the device to it.
            dropWhenParked_ = false;
            const std::lock_guard deviceLock(deviceMutex_);
            connection_.reset();
            present_ = false;
        }
        running_ = false;
        stateChanged_.notify_all();
        stateChanged_.wait(lock, [this] { return resumeRequested_; });
        resumeRequested_ = false;
    }
    BeginConnection();
}

void CUsbPort::BeginConnection() {
    splitter_.Clear();
    replyWaitMs_ = CCommand::kUsbWaitMs;
    readRetryCount_ = 0;
    frameInFlight_ = false;
    gaveUp_ = false;
}

UsbTimings::Duration CUsbPort::ReplyWait() const {
    return timings_.Scaled(UsbTimings::Duration{replyWaitMs_});
}

void CUsbPort::ServeSendNext() {
    UsbTransmission transmission;
    if (!engine_.TakeHeadForUsb(transmission)) {
        // The engine has queued a message; the event stays raised to take it.
        eventSet_.WaitForStop(timings_.Scaled(timings_.idlePause));
        return;
    }
    splitter_.Load(transmission.frame);
    replyWaitMs_ = transmission.waitTimeoutMs;
    readRetryCount_ = 0;
    frameInFlight_ = true;
    eventSet_.Reset(UsbEvent::SendNext);
    eventSet_.Raise(UsbEvent::WriteCompletion);
}

void CUsbPort::ServeWriteCompletion() {
    eventSet_.Reset(UsbEvent::WriteCompletion);
    if (splitter_.LastPieceWritten()) {
        eventSet_.Raise(UsbEvent::StartRead);
        return;
    }
    const UsbReportSplitter::Report report = splitter_.NextReport();
    bool written = false;
    {
        const std::lock_guard lock(deviceMutex_);
        written = connection_ != nullptr &&
                  connection_->WriteReport(report, timings_.Scaled(timings_.writeTimeout));
    }
    if (!written) {
        // A write that fails would otherwise only surface as a reply time-out.
        qCDebug(usbLog, "WriteData  Error");
        Recover();
        return;
    }
    eventSet_.Raise(UsbEvent::WriteCompletion);
}

void CUsbPort::ServeStartRead() {
    eventSet_.Reset(UsbEvent::StartRead);
    eventSet_.Reset(UsbEvent::ReadCompletion);
    const auto deadline = std::chrono::steady_clock::now() + ReplyWait();
    for (;;) {
        if (eventSet_.StopRequested()) {
            return;
        }
        const auto left = std::chrono::duration_cast<UsbTimings::Duration>(
            deadline - std::chrono::steady_clock::now());
        if (left <= UsbTimings::Duration::zero()) {
            ServeTimeOut();
            return;
        }
        HidReadResult result{HidReadResult::Status::Failed, 0};
        {
            const std::lock_guard lock(deviceMutex_);
            if (connection_ != nullptr) {
                result = connection_->ReadReport(
                    inputReport_, std::min(left, timings_.Scaled(timings_.readSlice)));
            }
        }
        if (result.status != HidReadResult::Status::TimedOut) {
            lastRead_ = result;
            eventSet_.Raise(UsbEvent::ReadCompletion);
            return;
        }
    }
}

void CUsbPort::ServeReadCompletion() {
    eventSet_.Reset(UsbEvent::ReadCompletion);
    if (lastRead_.status != HidReadResult::Status::Received) {
        qCDebug(usbLog, "ReadData  Error");
        if (readRetryCount_ < kReadRetries) {
            ++readRetryCount_;
            eventSet_.Raise(UsbEvent::StartRead);
            return;
        }
        Recover();
        eventSet_.WaitForStop(timings_.Scaled(timings_.readFailurePause));
        return;
    }
    const size_t count = std::min(lastRead_.count, inputReport_.size());
    if (count != kHidReportSize) {
        emit OddReportSize(static_cast<int>(count));
    }
    readRetryCount_ = 0;
    const std::span<const uint8_t> data =
        count > 1 ? std::span<const uint8_t>(inputReport_).subspan(1, count - 1)
                  : std::span<const uint8_t>();
    const UsbFeedResult fed = engine_.FeedUsb(data);
    if (!fed.frameComplete || fed.lateReply) {
        eventSet_.Raise(UsbEvent::StartRead);
        return;
    }
    if (fed.error) {
        if (fed.refused) {
            eventSet_.WaitForStop(timings_.Scaled(timings_.refusalPause));
        }
        Recover();
        return;
    }
    frameInFlight_ = false;
    eventSet_.Raise(UsbEvent::SendNext);
}

void CUsbPort::ServeTimeOut() {
    // Nothing is awaited before the first message or after giving up.
    if (!frameInFlight_ || gaveUp_) {
        return;
    }
    qCDebug(usbLog, "default");
    Recover();
}

void CUsbPort::Recover() {
    splitter_.Rewind();
    readRetryCount_ = 0;
    if (engine_.NoteUsbFailure()) {
        // The engine has reported the give-up itself.
        GiveUp();
        return;
    }
    if (!FindAndOpen()) {
        events_.OnUsbGaveUp();
        GiveUp();
        return;
    }
    eventSet_.Raise(UsbEvent::WriteCompletion);
}

void CUsbPort::GiveUp() {
    qCDebug(usbLog, "关闭USB");
    // Idle until the owner closes the link, instead of failing again on every time-out.
    gaveUp_ = true;
    frameInFlight_ = false;
    for (UsbEvent event : {UsbEvent::SendNext, UsbEvent::WriteCompletion, UsbEvent::StartRead,
                           UsbEvent::ReadCompletion}) {
        eventSet_.Reset(event);
    }
}
