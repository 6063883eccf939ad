// SPDX-License-Identifier: GPL-3.0-or-later
// Carries out the simulated device's responses on a byte stream: waits the
// reply delay, writes the pieces in order a moment apart, or closes the line.
//
// The constraint: responses must leave in the order they were made even when
// delayed, so they go through one queue served by single-shot timers and the
// event loop never blocks.
#pragma once

#include <QByteArray>
#include <QObject>
#include <deque>
#include <functional>
#include <vector>

#include "core/SimulatedDevice.h"

namespace devsim {

class ReplyWriter : public QObject {
    Q_OBJECT
  public:
    using Write = std::function<void(const QByteArray&)>;
    using Close = std::function<void()>;

    ReplyWriter(Write write, Close close, QObject* parent = nullptr);

    void Enqueue(std::vector<DeviceResponse> responses);
    // Forgets what has not been written yet (the line went away).
    void Drop();

  private:
    void ServeNext();
    void WriteNextPiece();

    Write write_;
    Close close_;
    std::deque<DeviceResponse> queue_;
    size_t nextPiece_ = 0;
    bool busy_ = false;
    unsigned generation_ = 0;
};

}  // namespace devsim
