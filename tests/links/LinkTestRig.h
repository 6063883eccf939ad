// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's side of an end-to-end link test, wired as the main view wires
// it: the program, the preset store and system data, the protocol engine, the
// transfers and the connection manager, plus a simulated device served over a
// pseudo-terminal and over TCP on 127.0.0.1.
#pragma once

#include <QTcpServer>
#include <string>
#include <vector>

#include "TestApp.h"
#include "core/SimulatedDevice.h"
#include "links/ConnectionManager.h"
#include "links/LinkMessages.h"
#include "model/Audio_Data.h"
#include "model/PresetStore.h"
#include "model/SystemData.h"
#include "protocol/ChangeScanner.h"
#include "protocol/Command.h"
#include "protocol/DeviceDataTargets.h"
#include "protocol/DeviceTransfers.h"
#include "protocol/ProtocolEvents.h"
#include "protocol/ReceivedProgram.h"
#include "transport/PtyDevice.h"
#include "transport/TcpDeviceServer.h"

// What the main view does with the engine's events, minus the drawing.
class ViewEvents : public ProtocolEvents {
  public:
    explicit ViewEvents(CAudio_Data& program) : program_(program) {}
    void Attach(CCommand& engine, DeviceTransfers& transfers) {
        engine_ = &engine;
        transfers_ = &transfers;
    }
    void OnProgramReceived() override {
        ForceFixedFilterFields(engine_->ReceivedBlock());
        program_.LoadBlock(engine_->ReceivedBlock());
        ++programsLoaded;
    }
    void OnSystemDataRead() override { ++systemReads; }
    void OnEffectRecordReceived() override { ++effectRecords; }
    void OnReadTransferFinished() override { transfers_->FinishReadTransfer(); }
    void OnUsbGaveUp() override {}

    int programsLoaded = 0;
    int systemReads = 0;
    int effectRecords = 0;

  private:
    CAudio_Data& program_;
    CCommand* engine_ = nullptr;
    DeviceTransfers* transfers_ = nullptr;
};

struct LinkTestRig {
    LinkTestRig()
        : events(program),
          targets(presets, system),
          source(program),
          engine(source, targets, events),
          transfers(engine.Queue(), program, presets, system),
          manager(engine, transfers, program),
          server(device),
          pty(device) {
        TestApp();
        events.Attach(engine, transfers);
        QObject::connect(&manager, &ConnectionManager::FailureMessage,
                         [this](BilingualText text) { failures.emplace_back(text.english); });
        // Ticks are counted, not timed; running them faster only saves real time.
        manager.SetPumpIntervalForTesting(LinkKind::Serial, kFastPumpMs);
        manager.SetPumpIntervalForTesting(LinkKind::Network, kFastPumpMs);
    }

    // Opens the link to the simulated device and waits for the initial read.
    bool ConnectOver(LinkKind link) {
        ConnectionSettings& settings = manager.Settings();
        settings.linkKind = link;
        if (link == LinkKind::Serial) {
            if (!pty.Open()) {
                return false;
            }
            settings.serialPortName = pty.SlavePath();
        } else {
            if (!server.Listen()) {
                return false;
            }
            settings.deviceAddress = "127.0.0.1";
            settings.tcpPort = server.Port();
        }
        manager.Connect();
        return WaitUntil([this] { return events.programsLoaded >= 1; }, 5000);
    }

    // Valid requests the device received with this command byte.
    std::vector<std::vector<uint8_t>> Requests(uint8_t command) const {
        std::vector<std::vector<uint8_t>> frames;
        for (const devsim::ReceivedFrame& frame : device.Log()) {
            if (frame.valid && frame.bytes[5] == command) {
                frames.push_back(frame.bytes);
            }
        }
        return frames;
    }

    static constexpr int kFastPumpMs = 5;

    CAudio_Data program;
    PresetStore presets;
    SystemData system;
    ViewEvents events;
    DeviceDataTargets targets;
    ProgramChangeSource source;
    CCommand engine;
    DeviceTransfers transfers;
    ConnectionManager manager;
    std::vector<std::string> failures;

    devsim::SimulatedDevice device;
    devsim::TcpDeviceServer server;
    devsim::PtyDevice pty;
};
