// SPDX-License-Identifier: GPL-3.0-or-later
// The client's stand-in for the editor's main view: it takes the engine's
// events and does what the view does with the data, without drawing. A
// received program or effect record is loaded into the program; the end of a
// read transfer clears the transfer flag; a USB give-up closes the link.
//
// The constraint: the events may come from the USB worker, so each is posted
// to the thread that made this object and done there, under the queue lock
// (the worker scans the program for changes under that lock).
#pragma once

#include <QObject>
#include <functional>

#include "protocol/ProtocolEvents.h"

class CAudio_Data;
class CCommand;
class ConnectionManager;
class DeviceTransfers;

namespace cli {

class HeadlessView : public ProtocolEvents {
  public:
    explicit HeadlessView(CAudio_Data& program) : program_(program) {}
    void Attach(CCommand& engine, DeviceTransfers& transfers, ConnectionManager& manager);

    void OnProgramReceived() override;
    void OnSystemDataRead() override;
    void OnEffectRecordReceived() override;
    void OnReadTransferFinished() override;
    void OnUsbGaveUp() override;

    // Counted on the UI thread once the data is in the program.
    int ProgramsLoaded() const { return programsLoaded_; }
    int SystemReads() const { return systemReads_; }
    int EffectRecordsLoaded() const { return effectRecordsLoaded_; }

  private:
    void Post(std::function<void()> work);

    CAudio_Data& program_;
    CCommand* engine_ = nullptr;
    DeviceTransfers* transfers_ = nullptr;
    ConnectionManager* manager_ = nullptr;
    int programsLoaded_ = 0;
    int systemReads_ = 0;
    int effectRecordsLoaded_ = 0;
    QObject context_;
};

}  // namespace cli
