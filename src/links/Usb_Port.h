// SPDX-License-Identifier: GPL-3.0-or-later
// The USB HID link. Unlike the serial and network links it is its own pump: one
// worker thread takes the head of the send queue, writes it as 65-byte reports,
// reads the reply reports into the engine's USB assembler, resends after a bad
// reply or a time-out (reopening the device first) and gives up on the third
// failure of one message. Six manual-reset events drive the worker, served
// lowest first.
//
// The constraint: all blocking HID I/O happens on the worker and every read is
// short and every write bounded, so open, close and destruction on the UI
// thread can always stop it. Close waits a bounded time for the worker to
// acknowledge that it is parked; the device handle is touched by the UI
// thread only while it is, and otherwise the worker drops it as it parks. What the
// worker has to say reaches the UI thread as queued signals or through the
// engine's events.
#pragma once

#include <QObject>
#include <QString>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

#include "links/HidDevice.h"
#include "links/UsbEventSet.h"
#include "links/UsbReportSplitter.h"
#include "links/UsbTimings.h"

class CCommand;
class ProtocolEvents;

// Shown, as it is, when an input report is not 65 bytes long.
inline constexpr std::string_view kOddReportSizeText = "  da yu 65 ";

class CUsbPort final : public QObject {
    Q_OBJECT
  public:
    // `events` receives OnUsbGaveUp when a reopen fails; the engine reports the
    // third failure of a message itself. All three must outlive the port.
    CUsbPort(HidBackend& backend, CCommand& engine, ProtocolEvents& events,
             QObject* parent = nullptr);
    ~CUsbPort() override;
    CUsbPort(const CUsbPort&) = delete;
    CUsbPort& operator=(const CUsbPort&) = delete;

    // Finds the device, opens it and lets the worker run; it then waits for
    // Signal(UsbEvent::SendNext). False when no matching device could be opened.
    bool Open();
    // Parks the worker, resets the events and closes the device. UI thread
    // only. Returns within a bounded time even when the driver holds the
    // worker; the device is then closed by the worker as it parks, and Open
    // fails until it has.
    void Close();
    void Signal(UsbEvent event);

    // Set while the device is open.
    bool IsPresent() const { return present_.load(); }
    // The device is plugged in, whether or not it can be opened.
    bool IsDeviceListed() const;
    std::string DevicePath() const;
    std::thread::id WorkerThreadId() const { return worker_.get_id(); }

    // Tests only: divides every reply time-out and pause by `divisor`.
    void ScaleTimingsForTesting(int divisor) { timings_.divisor = divisor; }

  public slots:
    // A hidraw device went away. Acts only on the open device (paths compared
    // without regard to case) while it is present, by emitting OpenDeviceRemoved.
    void HandleDeviceRemoved(const QString& devicePath);

  signals:
    // The owner disconnects as the user would and shows the USB failure message.
    void OpenDeviceRemoved();
    // An input report was not 65 bytes; its bytes were used all the same.
    void OddReportSize(int count);

  private:
    bool FindAndOpen();
    void ResetEventsSlowly();
    void Resume();

    // Worker thread.
    void RunWorker();
    void ParkUntilResumed();
    void BeginConnection();
    void ServeSendNext();
    void ServeWriteCompletion();
    void ServeStartRead();
    void ServeReadCompletion();
    void ServeTimeOut();
    void Recover();
    void GiveUp();
    UsbTimings::Duration ReplyWait() const;

    HidBackend& backend_;
    CCommand& engine_;
    ProtocolEvents& events_;
    UsbTimings timings_;
    UsbEventSet eventSet_;

    // The device handle, swapped by Open/Close on the UI thread while the worker
    // is parked and by the recovery on the worker.
    std::mutex deviceMutex_;
    std::unique_ptr<HidConnection> connection_;
    std::atomic<bool> present_{false};
    // Kept apart from the handle so that a removal check never waits for a read.
    mutable std::mutex pathMutex_;
    std::string devicePath_;

    // Parking handshake between the UI thread and the worker.
    std::mutex stateMutex_;
    std::condition_variable stateChanged_;
    bool resumeRequested_ = false;
    bool running_ = false;
    bool dropWhenParked_ = false;

    // Worker-only state for the message under way.
    UsbReportSplitter splitter_;
    int replyWaitMs_ = 0;
    int readRetryCount_ = 0;
    bool frameInFlight_ = false;
    bool gaveUp_ = false;
    HidReadResult lastRead_;
    UsbReportSplitter::Report inputReport_{};

    std::thread worker_;
};
