// SPDX-License-Identifier: GPL-3.0-or-later
// The simulator's faults that pick one kind of request, and those that come
// with time: a connection closed every few seconds, a power cycle on the same port.
#include <gtest/gtest.h>

#include <QTcpSocket>
#include <vector>

#include "TestApp.h"
#include "core/SimulatedDevice.h"
#include "protocol/Frame.h"
#include "transport/ConnectionFaults.h"
#include "transport/TcpDeviceServer.h"

namespace {

using namespace std::chrono_literals;

std::vector<uint8_t> Request(uint8_t command, uint8_t sub, uint8_t c = 3) {
    return AssembleFrame(FrameHeader{command, sub, 0, 0, c}, std::vector<uint8_t>(8, 0x42));
}

uint8_t ReplyCommand(devsim::SimulatedDevice& device, const std::vector<uint8_t>& request) {
    const std::vector<devsim::DeviceResponse> responses = device.Receive(request);
    if (responses.size() != 1 || responses[0].pieces.empty() || responses[0].pieces[0].size() < 6) {
        return 0;
    }
    return responses[0].pieces[0][5];
}

TEST(DeviceFaults, ARuleMayNameOneSubCommandAndHowOftenItHits) {
    devsim::SimulatedDevice device;
    devsim::DeviceFaults faults;
    // The microphone's rows (0xA1/2) are refused twice; names and system items still pass.
    faults.rules.push_back({0xA1, devsim::FaultAction::Refuse, 0, 2, 2});
    device.SetFaults(faults);
    EXPECT_EQ(ReplyCommand(device, Request(0xA1, 1)), 0xAA) << "a music row is not refused";
    EXPECT_EQ(ReplyCommand(device, Request(0xA1, 2)), 0xAB);
    EXPECT_EQ(ReplyCommand(device, Request(0xA1, 6, 7)), 0xAA) << "a system write is not refused";
    EXPECT_EQ(ReplyCommand(device, Request(0xA1, 2)), 0xAB);
    EXPECT_EQ(ReplyCommand(device, Request(0xA1, 2)), 0xAA) << "the rule hit its count";
}

class ServerFaults : public testing::Test {
  protected:
    void SetUp() override {
        TestApp();
        ASSERT_TRUE(server.Listen());
    }

    // Connects a client and waits for the outcome.
    bool ConnectClient(QTcpSocket& client) {
        client.connectToHost(QStringLiteral("127.0.0.1"), server.Port());
        WaitUntil([&] {
            return client.state() == QAbstractSocket::ConnectedState ||
                   client.state() == QAbstractSocket::UnconnectedState;
        });
        return client.state() == QAbstractSocket::ConnectedState;
    }

    devsim::SimulatedDevice device;
    devsim::TcpDeviceServer server{device};
};

TEST_F(ServerFaults, ARestartRefusesConnectionsThenListensOnTheSamePort) {
    const quint16 port = server.Port();
    QTcpSocket first;
    ASSERT_TRUE(ConnectClient(first));
    ASSERT_TRUE(WaitUntil([&] { return server.HasClient(); }));

    bool relistened = false;
    QObject::connect(&server, &devsim::TcpDeviceServer::Restarted,
                     [&](bool listening) { relistened = listening; });
    server.Restart(300ms);
    EXPECT_TRUE(WaitUntil([&] { return first.state() == QAbstractSocket::UnconnectedState; }))
        << "a power cycle drops the connection";
    QTcpSocket whileDown;
    EXPECT_FALSE(ConnectClient(whileDown)) << "nothing answers while the device boots";

    ASSERT_TRUE(WaitUntil([&] { return relistened; }));
    EXPECT_EQ(server.Port(), port);
    QTcpSocket after;
    EXPECT_TRUE(ConnectClient(after));
}

TEST_F(ServerFaults, CloseEveryDropsEachConnectionInTurn) {
    devsim::ConnectionFaults faults(server);
    faults.CloseEvery(100ms);
    for (int round = 0; round < 2; ++round) {
        QTcpSocket client;
        ASSERT_TRUE(ConnectClient(client));
        EXPECT_TRUE(WaitUntil([&] { return client.state() == QAbstractSocket::UnconnectedState; }))
            << "round " << round;
    }
    EXPECT_TRUE(server.IsListening()) << "closing a connection keeps the port open";
}

}  // namespace
