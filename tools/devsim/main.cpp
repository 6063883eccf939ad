// SPDX-License-Identifier: GPL-3.0-or-later
// sonavel-devsim: a simulated audio processor for tests and demos. It serves
// TCP on 127.0.0.1 and a pseudo-terminal, prints the path to open as the serial
// port, and logs every received frame in hex. Faults are chosen on the command line.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>
#include <chrono>
#include <cstdio>
#include <optional>

#include "core/DemoContents.h"
#include "core/SimulatedDevice.h"
#include "protocol/HexText.h"
#include "transport/ConnectionFaults.h"
#include "transport/PtyDevice.h"
#include "transport/TcpDeviceServer.h"

namespace {

QTextStream& Out() {
    static QTextStream stream(stdout);
    return stream;
}

// "A1" (every 0xA1 request), "A1/2" (only sub-command 2), "A7:1" (only the first one).
bool AddRule(devsim::DeviceFaults& faults, const QString& value, devsim::FaultAction action) {
    QString rest = value;
    size_t count = 0;
    if (const qsizetype colon = rest.indexOf(QLatin1Char(':')); colon >= 0) {
        bool ok = false;
        count = rest.mid(colon + 1).toULongLong(&ok);
        if (!ok || count == 0) {
            return false;
        }
        rest.truncate(colon);
    }
    int subCommand = -1;
    if (const qsizetype slash = rest.indexOf(QLatin1Char('/')); slash >= 0) {
        bool ok = false;
        subCommand = rest.mid(slash + 1).toInt(&ok, 16);
        if (!ok || subCommand < 0 || subCommand > 0xFF) {
            return false;
        }
        rest.truncate(slash);
    }
    bool ok = false;
    const uint command = rest.toUInt(&ok, 16);
    if (!ok || command > 0xFF) {
        return false;
    }
    faults.rules.push_back({static_cast<uint8_t>(command), action, 0, count, subCommand});
    return true;
}

// Whole seconds, or a decimal fraction of them ("1.5").
std::optional<std::chrono::milliseconds> ReadSeconds(const QString& value) {
    bool ok = false;
    const double seconds = value.toDouble(&ok);
    if (!ok || seconds <= 0 || seconds > 86400) {
        return std::nullopt;
    }
    return std::chrono::milliseconds(static_cast<long long>(seconds * 1000));
}

void LogFrames(const devsim::SimulatedDevice& device, size_t& logged) {
    const std::vector<devsim::ReceivedFrame> log = device.Log();
    for (; logged < log.size(); ++logged) {
        const devsim::ReceivedFrame& frame = log[logged];
        Out() << (frame.valid ? "recv " : "recv (bad) ")
              << QString::fromStdString(HexText(frame.bytes)) << Qt::endl;
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("sonavel-devsim");

    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Simulated audio processor on 127.0.0.1 and a pseudo-terminal.\n"
        "Command bytes are given in hex (A1..A9); 0 means every command. A fault may name one\n"
        "sub-command (A1/2: the microphone's row writes) and how many requests it hits\n"
        "(A7:1: the first download only).");
    parser.addHelpOption();
    const QCommandLineOption portOption(
        "port", "TCP port on 127.0.0.1 (default 8080; 0 picks a free one).", "port", "8080");
    const QCommandLineOption demoOption(
        "demo", "Start with a demo program: channel and preset names in English and Chinese.");
    const QCommandLineOption noTcpOption("no-tcp", "Do not serve TCP.");
    const QCommandLineOption noPtyOption("no-pty", "Do not create a pseudo-terminal.");
    const QCommandLineOption silentOption("silent-after", "Answer nothing after N requests.", "n");
    const QCommandLineOption refuseOption("refuse", "Refuse (0xAB) requests of this command.",
                                          "cmd");
    const QCommandLineOption badChecksumOption(
        "bad-checksum", "Reply to this command with a wrong checksum.", "cmd");
    const QCommandLineOption ignoreOption("ignore", "Never answer this command.", "cmd");
    const QCommandLineOption closeOption("close-on", "Close the TCP connection on this command.",
                                         "cmd");
    const QCommandLineOption splitOption("split", "Send replies in pieces of N bytes.", "n");
    const QCommandLineOption strayOption("stray", "Hex bytes sent before every reply.", "hex");
    const QCommandLineOption delayOption("delay", "Wait this many ms before every reply.", "ms");
    const QCommandLineOption closeEveryOption("close-every",
                                              "Close the TCP connection every S seconds.", "s");
    const QCommandLineOption restartEveryOption(
        "restart-every",
        "Power-cycle every S seconds: drop the connection and refuse new ones for a while "
        "(--restart-down), then listen on the same port again.",
        "s");
    const QCommandLineOption restartDownOption(
        "restart-down", "How long a restart refuses connections (default 3 s).", "s", "3");
    parser.addOptions({portOption, demoOption, noTcpOption, noPtyOption, silentOption, refuseOption,
                       badChecksumOption, ignoreOption, closeOption, splitOption, strayOption,
                       delayOption, closeEveryOption, restartEveryOption, restartDownOption});
    parser.process(app);

    devsim::DeviceFaults faults;
    bool ok = true;
    if (parser.isSet(silentOption)) {
        faults.silentAfterFrames = parser.value(silentOption).toULongLong(&ok);
    }
    for (const QString& value : parser.values(refuseOption)) {
        ok = ok && AddRule(faults, value, devsim::FaultAction::Refuse);
    }
    for (const QString& value : parser.values(badChecksumOption)) {
        ok = ok && AddRule(faults, value, devsim::FaultAction::BadChecksum);
    }
    for (const QString& value : parser.values(ignoreOption)) {
        ok = ok && AddRule(faults, value, devsim::FaultAction::Silence);
    }
    for (const QString& value : parser.values(closeOption)) {
        ok = ok && AddRule(faults, value, devsim::FaultAction::CloseConnection);
    }
    if (ok && parser.isSet(splitOption)) {
        faults.replyPieceSize = parser.value(splitOption).toULongLong(&ok);
    }
    if (ok && parser.isSet(strayOption)) {
        const auto stray = ParseHexText(parser.value(strayOption).toStdString());
        ok = stray.has_value();
        faults.strayBytesBefore = stray.value_or(std::vector<uint8_t>{});
    }
    if (ok && parser.isSet(delayOption)) {
        faults.replyDelay = std::chrono::milliseconds(parser.value(delayOption).toInt(&ok));
    }
    std::optional<std::chrono::milliseconds> closeEvery;
    if (ok && parser.isSet(closeEveryOption)) {
        closeEvery = ReadSeconds(parser.value(closeEveryOption));
        ok = closeEvery.has_value();
    }
    std::optional<std::chrono::milliseconds> restartEvery;
    const std::optional<std::chrono::milliseconds> restartDown =
        ReadSeconds(parser.value(restartDownOption));
    ok = ok && restartDown.has_value();
    if (ok && parser.isSet(restartEveryOption)) {
        restartEvery = ReadSeconds(parser.value(restartEveryOption));
        ok = restartEvery.has_value();
    }
    bool portOk = false;
    const uint portValue = parser.value(portOption).toUInt(&portOk);
    if (!ok || !portOk || portValue > 65535) {
        std::fprintf(stderr, "sonavel-devsim: invalid option value\n");
        return 2;
    }

    const auto port = static_cast<quint16>(portValue);

    devsim::SimulatedDevice device;
    device.SetFaults(faults);
    if (parser.isSet(demoOption)) {
        devsim::LoadDemoContents(device);
    }
    size_t logged = 0;
    const auto log = [&device, &logged] { LogFrames(device, logged); };

    devsim::TcpDeviceServer server(device);
    if (!parser.isSet(noTcpOption)) {
        if (!server.Listen(port)) {
            std::fprintf(stderr, "sonavel-devsim: cannot listen on 127.0.0.1:%u\n", port);
            return 1;
        }
        Out() << "tcp 127.0.0.1:" << server.Port() << Qt::endl;
        QObject::connect(&server, &devsim::TcpDeviceServer::BytesReceived, log);
        QObject::connect(&server, &devsim::TcpDeviceServer::Restarted, [&server](bool listening) {
            if (listening) {
                Out() << "restarted tcp 127.0.0.1:" << server.Port() << Qt::endl;
            } else {
                std::fprintf(stderr, "sonavel-devsim: cannot listen again on 127.0.0.1:%u\n",
                             server.Port());
            }
        });
    }
    devsim::ConnectionFaults connectionFaults(server);
    if (closeEvery) {
        connectionFaults.CloseEvery(*closeEvery);
    }
    if (restartEvery) {
        connectionFaults.RestartEvery(*restartEvery, *restartDown);
    }
    devsim::PtyDevice pty(device);
    if (!parser.isSet(noPtyOption)) {
        if (!pty.Open()) {
            std::perror("sonavel-devsim: pseudo-terminal");
            return 1;
        }
        Out() << "serial " << QString::fromStdString(pty.SlavePath()) << Qt::endl;
        QObject::connect(&pty, &devsim::PtyDevice::BytesReceived, log);
    }
    return app.exec();
}
