// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's shell for tests: the main window over the application-wide
// values, a simulated HID bus with no device, a fixed serial port listing, a
// message sink that records instead of showing boxes, and a simulated device
// served over TCP on 127.0.0.1 only.
#pragma once

#include <QApplication>
#include <QDeadlineTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <functional>
#include <memory>
#include <vector>

#include "WidgetTestApp.h"
#include "app/AppState.h"
#include "app/AudioDoc.h"
#include "app/AudioView.h"
#include "app/MainWindow.h"
#include "app/MessageSink.h"
#include "app/dialogs/ConnectDialog.h"
#include "core/SimulatedDevice.h"
#include "links/SerialPortRecord.h"
#include "model/PresetStore.h"
#include "model/SystemData.h"
#include "testing/HidSimulatedBackend.h"
#include "transport/TcpDeviceServer.h"

// Runs the event loop until `done` holds or `timeoutMs` has passed; returns `done()`.
inline bool RunUntil(const std::function<bool()>& done, int timeoutMs = 5000) {
    QDeadlineTimer deadline(timeoutMs);
    while (!done() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
    return done();
}

class RecordingSink : public MessageSink {
  public:
    void Show(const QString& text) override { shown.push_back(text); }
    // Failures are shown too; `failures` keeps those that asked for the stop icon.
    void ShowFailure(const QString& text) override {
        shown.push_back(text);
        failures.push_back(text);
    }
    // Questions are recorded and answered as the test says.
    bool Confirm(const QString& text) override {
        questions.push_back(text);
        return confirmAnswer;
    }
    UnsavedChoice AskAboutUnsavedWork(const QString& text) override {
        questions.push_back(text);
        return unsavedAnswer;
    }
    ConnectChoice AskOnConnect(const QString& text) override {
        questions.push_back(text);
        return connectAnswer;
    }
    std::vector<QString> shown;
    std::vector<QString> failures;
    std::vector<QString> questions;
    bool confirmAnswer = true;
    UnsavedChoice unsavedAnswer = UnsavedChoice::Discard;
    ConnectChoice connectAnswer = ConnectChoice::TakeDeviceProgram;
};

class FixedPortSource : public PortInfoSource {
  public:
    PortListing List() override { return listing; }
    PortListing listing;
};

struct ShellTestRig {
    ShellTestRig()
        : app(WidgetTestApp()),
          server(device),
          window(ViewServices{state, document, presets, system, hidBus, ports, messages}),
          view(window.View()) {
        // Ticks are counted, not timed; a faster pump only saves real time.
        view.Device().Manager().SetPumpIntervalForTesting(LinkKind::Network, kFastPumpMs);
        view.Device().Manager().SetPumpIntervalForTesting(LinkKind::Serial, kFastPumpMs);
    }
    ~ShellTestRig() { view.Device().Manager().Disconnect(); }

    // Runs the Connect dialog as a user would: 127.0.0.1 and the simulator's
    // port typed in, then Network pressed.
    bool ConnectOverNetwork() {
        if (!server.Listen()) {
            return false;
        }
        view.SetConnectDialogRunner([this](ConnectDialog& dialog) {
            ++dialogsRun;
            dialog.show();
            TypeInto(dialog.AddressField(), QStringLiteral("127.0.0.1"));
            TypeInto(dialog.PortField(), QString::number(server.Port()));
            QTest::mouseClick(dialog.NetworkButton(), Qt::LeftButton);
            return dialog.result() == QDialog::Accepted;
        });
        view.ToggleConnection();
        return RunUntil([this] { return view.IsConnected(); });
    }

    static void TypeInto(QLineEdit* field, const QString& text) {
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, text);
    }

    // Valid requests the device received with this command byte.
    std::vector<std::vector<uint8_t>> Requests(uint8_t command) const {
        std::vector<std::vector<uint8_t>> frames;
        for (const devsim::ReceivedFrame& frame : device.Log()) {
            if (frame.valid && frame.bytes.size() > 9 && frame.bytes[5] == command) {
                frames.push_back(frame.bytes);
            }
        }
        return frames;
    }

    static constexpr int kFastPumpMs = 10;

    QApplication& app;
    AppState state;
    SystemData system;
    PresetStore presets;
    CAudioDoc document;
    HidSimulatedBackend hidBus;
    FixedPortSource ports;
    RecordingSink messages;
    devsim::SimulatedDevice device;
    devsim::TcpDeviceServer server;
    MainWindow window;
    CAudioView& view;
    int dialogsRun = 0;
};
