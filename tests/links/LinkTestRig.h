// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's side of an end-to-end link test, wired as the main view wires
// it: the program, the preset store and system data, the protocol engine, the
// transfers and the connection manager, plus a simulated device served over a
// pseudo-terminal, over TCP on 127.0.0.1 and over a simulated HID bus.
#pragma once

#include <QTcpServer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "TestApp.h"
#include "core/SimulatedDevice.h"
#include "links/ConnectionManager.h"
#include "links/LinkMessages.h"
#include "links/UsbDeviceIdentity.h"
#include "links/Usb_Port.h"
#include "model/Audio_Data.h"
#include "model/PresetStore.h"
#include "model/SystemData.h"
#include "protocol/ChangeScanner.h"
#include "protocol/Command.h"
#include "protocol/DeviceDataTargets.h"
#include "protocol/DeviceTransfers.h"
#include "protocol/ProtocolEvents.h"
#include "protocol/ReceivedProgram.h"
#include "testing/HidSimulatedBackend.h"
#include "transport/HidBusDevice.h"
#include "transport/PtyDevice.h"
#include "transport/TcpDeviceServer.h"

// What the main view does with the engine's events, minus the drawing: each
// is posted to the UI thread, since over USB they come from the worker.
class ViewEvents : public ProtocolEvents {
  public:
    explicit ViewEvents(CAudio_Data& program) : program_(program) {}
    void Attach(CCommand& engine, DeviceTransfers& transfers, ConnectionManager& manager) {
        engine_ = &engine;
        transfers_ = &transfers;
        manager_ = &manager;
    }
    void OnProgramReceived() override {
        Post([this] {
            // A copy under the queue lock: over USB the worker owns the block.
            ProgramBlock block = engine_->ReceivedBlockCopy();
            ForceFixedFilterFields(block);
            program_.LoadBlock(block);
            ++programsLoaded;
        });
    }
    void OnSystemDataRead() override {
        Post([this] { ++systemReads; });
    }
    void OnEffectRecordReceived() override {
        Post([this] { ++effectRecords; });
    }
    void OnReadTransferFinished() override {
        Post([this] { transfers_->FinishReadTransfer(); });
    }
    void OnUsbGaveUp() override {
        Post([this] { manager_->HandleUsbFailure(); });
    }

    int programsLoaded = 0;
    int systemReads = 0;
    int effectRecords = 0;

  private:
    void Post(std::function<void()> work) {
        QMetaObject::invokeMethod(&context_, std::move(work), Qt::QueuedConnection);
    }

    CAudio_Data& program_;
    CCommand* engine_ = nullptr;
    DeviceTransfers* transfers_ = nullptr;
    ConnectionManager* manager_ = nullptr;
    QObject context_;
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
          pty(device),
          hid(std::make_shared<HidSimulatedDevice>(
              HidDeviceInfo{kHidPath, kSonavelVendorId, kSonavelProductId, kSonavelReleaseNumber},
              std::make_shared<devsim::HidBusDevice>(device))),
          usb(hidBus, engine, events) {
        TestApp();
        events.Attach(engine, transfers, manager);
        hidBus.Attach(hid);
        usb.ScaleTimingsForTesting(kUsbTimingDivisor);
        manager.SetUsbPort(&usb);
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
        } else if (link == LinkKind::Network) {
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

    // Time-outs become 0.4 s (serial) and 1 s (network): short, yet above the
    // delays of a loaded machine running sanitized tests in parallel.
    static constexpr int kFastPumpMs = 10;
    static constexpr int kUsbTimingDivisor = 20;
    static constexpr const char* kHidPath = "/dev/hidraw7";

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
    HidSimulatedBackend hidBus;
    std::shared_ptr<HidSimulatedDevice> hid;
    CUsbPort usb;
};
