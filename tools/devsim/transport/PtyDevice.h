// SPDX-License-Identifier: GPL-3.0-or-later
// Serves a simulated device on a pseudo-terminal, so the serial link can be
// exercised on a real tty without hardware: the editor opens SlavePath().
//
// The constraint: the device keeps its own descriptor of the slave open and
// raw, so the line discipline never echoes or translates bytes and the master
// does not see a hang-up while the editor has the port closed.
#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <memory>
#include <string>

#include "core/SimulatedDevice.h"
#include "transport/ReplyWriter.h"

namespace devsim {

class PtyDevice : public QObject {
    Q_OBJECT
  public:
    explicit PtyDevice(SimulatedDevice& device, QObject* parent = nullptr);
    ~PtyDevice() override;

    // Creates the pseudo-terminal; false (with errno) when the system refuses.
    bool Open();
    void Close();
    bool IsOpen() const { return master_ >= 0; }
    // The path the editor opens as its serial port.
    const std::string& SlavePath() const { return slavePath_; }

  signals:
    // After the device has taken the bytes, so its log already shows them.
    void BytesReceived(const QByteArray& bytes);

  private:
    void ReadMaster();
    void WriteMaster(const QByteArray& bytes);

    SimulatedDevice& device_;
    int master_ = -1;
    int slaveKeeper_ = -1;
    std::string slavePath_;
    std::unique_ptr<QSocketNotifier> notifier_;
    ReplyWriter writer_;
};

}  // namespace devsim
