// SPDX-License-Identifier: GPL-3.0-or-later
// Runs one room fit on a thread of its own, so that the window keeps
// painting and answering while it works; reports its progress and its result
// back on the window's thread by queued signals, and stops at the next step
// when cancelled.
//
// The constraint: the fit works on copies (the prepared measurement and a
// snapshot of the chain), never on the program the window and the sender
// share, and the runner waits for its thread before it is destroyed.
#pragma once

#include <QObject>
#include <atomic>
#include <thread>

#include "roomeq/ChannelFit.h"

class RoomEqFitRunner : public QObject {
    Q_OBJECT
  public:
    explicit RoomEqFitRunner(QObject* parent = nullptr);
    ~RoomEqFitRunner() override;

    // Starts a fit; a fit still running is cancelled first.
    void Start(PreparedMeasurement measurement, ChainSnapshot chain, RoomEqChannel channel,
               ChannelFitOptions options);
    void Cancel();
    bool IsRunning() const { return running_; }

  signals:
    // Share done, 0..1.
    void Progressed(double share);
    // The fit ended, with a result unless it was cancelled.
    void Finished(const ChannelFit& fit, const PreparedMeasurement& measurement);

  private:
    void Join();

    std::thread thread_;
    std::atomic<bool> cancel_{false};
    bool running_ = false;
    // Counts the fits started, so that a finish of a replaced fit is dropped.
    int generation_ = 0;
};
