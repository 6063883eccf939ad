// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <numeric>

#include "TestApp.h"
#include "core/SimulatedDevice.h"
#include "links/ClientSocket.h"
#include "protocol/Frame.h"
#include "transport/TcpDeviceServer.h"

namespace {

class NetworkLinkTest : public ::testing::Test {
  protected:
    void SetUp() override {
        TestApp();
        ASSERT_TRUE(server_.listen(QHostAddress::LocalHost));
        QObject::connect(&server_, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* peer = server_.nextPendingConnection()) {
                peers_.push_back(peer);
            }
        });
    }

    bool ConnectLink() {
        std::optional<bool> outcome;
        link_.Connect("127.0.0.1", server_.serverPort(), [&](bool ok) { outcome = ok; });
        return WaitUntil([&] { return outcome.has_value() && !peers_.empty(); }) && *outcome;
    }

    size_t Received() const { return std::accumulate(pieces_.begin(), pieces_.end(), size_t{0}); }

    QTcpServer server_;
    std::vector<QPointer<QTcpSocket>> peers_;
    std::vector<size_t> pieces_;
    CClientSocket link_{
        [this](std::span<const uint8_t> bytes) { pieces_.push_back(bytes.size()); }};
};

TEST_F(NetworkLinkTest, ReceivesAtMost1500BytesPerNotificationAndDisarmsTheGuard) {
    ASSERT_TRUE(ConnectLink());
    EXPECT_TRUE(link_.IsGuardArmed()) << "armed until the first data";
    peers_[0]->write(QByteArray(4000, '\x5A'));
    ASSERT_TRUE(WaitUntil([&] { return Received() == 4000; }));
    EXPECT_GE(pieces_.size(), 3u);
    for (size_t piece : pieces_) {
        EXPECT_LE(piece, 1500u);
    }
    EXPECT_FALSE(link_.IsGuardArmed());
}

TEST_F(NetworkLinkTest, SendsEachFrameWhole) {
    ASSERT_TRUE(ConnectLink());
    const std::vector<uint8_t> frame =
        AssembleFrame(FrameHeader{0xA7, 0, 0, 0, 0}, std::vector<uint8_t>(1032, 0xAA));
    link_.Transmit(frame);
    QByteArray arrived;
    ASSERT_TRUE(WaitUntil([&] {
        arrived += peers_[0]->readAll();
        return arrived.size() >= 1046;
    }));
    EXPECT_EQ(arrived, QByteArray(reinterpret_cast<const char*>(frame.data()), 1046));
}

TEST_F(NetworkLinkTest, ReconnectClosesPausesConnectsAndSettles) {
    ASSERT_TRUE(ConnectLink());
    std::optional<bool> outcome;
    QElapsedTimer clock;
    clock.start();
    link_.RequestReconnect([&](bool ok) { outcome = ok; });
    EXPECT_FALSE(link_.IsConnected()) << "the old socket is closed at once";
    ASSERT_TRUE(WaitUntil([&] { return outcome.has_value(); }));
    EXPECT_TRUE(*outcome);
    EXPECT_GE(clock.elapsed(), 1400);  // 500 ms pause, then 1000 ms settle
    EXPECT_EQ(peers_.size(), 2u);
    EXPECT_TRUE(link_.IsConnected());

    // With nobody listening any more, the reconnect reports failure.
    server_.close();
    outcome.reset();
    link_.RequestReconnect([&](bool ok) { outcome = ok; });
    ASSERT_TRUE(WaitUntil([&] { return outcome.has_value(); }));
    EXPECT_FALSE(*outcome);
}

TEST_F(NetworkLinkTest, ClosingCancelsAReconnectUnderWay) {
    ASSERT_TRUE(ConnectLink());
    bool called = false;
    link_.RequestReconnect([&](bool) { called = true; });
    link_.Close();
    QTest::qWait(700);
    EXPECT_FALSE(called);
    EXPECT_EQ(peers_.size(), 1u) << "no new connection after the close";
}

TEST(DeviceTransport, TheTcpServerWaitsTheReplyDelay) {
    TestApp();
    devsim::SimulatedDevice device;
    devsim::DeviceFaults faults;
    faults.replyDelay = std::chrono::milliseconds(150);
    device.SetFaults(faults);
    devsim::TcpDeviceServer server(device);
    ASSERT_TRUE(server.Listen());
    QTcpSocket client;
    client.connectToHost(QHostAddress::LocalHost, server.Port());
    ASSERT_TRUE(WaitUntil([&] { return client.state() == QAbstractSocket::ConnectedState; }));
    const auto poll = AssembleFrame(FrameHeader{0xA9, 0, 0, 0, 0}, std::vector<uint8_t>(8, 0));
    QElapsedTimer clock;
    clock.start();
    client.write(reinterpret_cast<const char*>(poll.data()), static_cast<qint64>(poll.size()));
    QByteArray reply;
    ASSERT_TRUE(WaitUntil([&] {
        reply += client.readAll();
        return reply.size() >= 22;
    }));
    EXPECT_GE(clock.elapsed(), 140);
    EXPECT_EQ(static_cast<uint8_t>(reply[5]), 0xA9);
}

}  // namespace
