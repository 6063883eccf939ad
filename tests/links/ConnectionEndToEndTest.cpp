// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include <QElapsedTimer>
#include <QTest>

#include <algorithm>

#include "LinkTestRig.h"
#include "PseudoTerminal.h"
#include "fixtures/LinkTestNames.h"
#include "links/SerialPortEnumeration.h"
#include "protocol/Frame.h"
#include "protocol/Requests.h"

namespace {

using devsim::DeviceFaults;
using devsim::FaultAction;
using devsim::FaultRule;

class ConnectionEndToEnd : public ::testing::TestWithParam<LinkKind> {
  protected:
    void SetUp() override { ASSERT_TRUE(rig_.ConnectOver(GetParam())); }
    void TearDown() override { rig_.manager.Disconnect(); }

    // Waits until the device has answered `more` further status polls: the
    // link is alive and everything queued before has gone out.
    bool PollsGoOn(size_t more = 3) {
        const size_t start = rig_.device.CountRequests(Command::kStatusPoll);
        return WaitUntil(
            [&] { return rig_.device.CountRequests(Command::kStatusPoll) >= start + more; });
    }

    void SetFaults(const DeviceFaults& faults) { rig_.device.SetFaults(faults); }

    LinkTestRig rig_;
};

TEST_P(ConnectionEndToEnd, ConnectingReadsNamesSystemDataAndTheProgram) {
    EXPECT_TRUE(rig_.manager.IsConnected());
    const std::vector<devsim::ReceivedFrame> log = rig_.device.Log();
    ASSERT_GE(log.size(), 31u);
    // 21 name reads for slots 0..20, nine system reads, then the program read.
    const int items[] = {0, 1, 2, 3, 6, 7, 8, 9, 4};
    for (size_t i = 0; i < 31; ++i) {
        const FrameHeader header = ReadFrameHeader(log[i].bytes);
        if (i < 21) {
            EXPECT_EQ(header, (FrameHeader{0xA2, 5, static_cast<uint8_t>(i), 0, 4})) << i;
        } else if (i < 30) {
            EXPECT_EQ(header, (FrameHeader{0xA2, 6, 0, 0, static_cast<uint8_t>(items[i - 21])}))
                << i;
        } else {
            EXPECT_EQ(header.command, 0xA8);
        }
    }
    EXPECT_EQ(rig_.presets.Name(0), "Current");
    EXPECT_EQ(rig_.presets.Name(20), "Preset 20");
    const devsim::SystemBytes system = rig_.device.GetSystemBytes();
    EXPECT_TRUE(std::equal(system.begin(), system.end(), rig_.system.Bytes().begin()));
    EXPECT_EQ(rig_.events.systemReads, 1);
    const devsim::ProgramImage image = rig_.device.CurrentImage();
    EXPECT_TRUE(std::equal(image.begin(), image.end(), rig_.program.GetImage().begin()));
    EXPECT_EQ(rig_.program.GetOutput(3).GetName(), "4");
    EXPECT_FALSE(rig_.transfers.IsTransferActive()) << "the progress display hides";
}

TEST_P(ConnectionEndToEnd, ABandGainEditReachesTheDeviceAsOneRowWrite) {
    {
        // Edits hold the queue lock, as the USB worker scans for changes.
        const auto guard = rig_.engine.Queue().Lock();
        rig_.program.GetInput(0).GetBand(3).SetGainIndex(230);
    }
    ASSERT_TRUE(WaitUntil([&] { return rig_.device.CountRequests(Command::kWrite) >= 1; }));
    ASSERT_TRUE(PollsGoOn());
    const auto writes = rig_.Requests(Command::kWrite);
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(ReadFrameHeader(writes[0]), (FrameHeader{0xA1, 1, 0, 0, 6}));
    // Row 6 of input 0 holds band 3: image bytes 48..55, gain index at 54..55.
    const devsim::ProgramImage image = rig_.device.CurrentImage();
    EXPECT_EQ(image[54] | (image[55] << 8), 230);
    EXPECT_TRUE(
        std::equal(image.begin() + 48, image.begin() + 56, rig_.program.GetImage().begin() + 48));
}

TEST_P(ConnectionEndToEnd, StoringIntoSlotZeroDownloadsTheWholeProgram) {
    {
        const auto guard = rig_.engine.Queue().Lock();
        rig_.program.GetOutput(2).SetName("Centre");
        rig_.program.GetOutput(2).SetNameChanged(0);  // only the download may carry it
    }
    const TransferStart start = rig_.transfers.StoreProgram(0);
    EXPECT_TRUE(start.showDownloadNotice);
    ASSERT_TRUE(WaitUntil([&] { return rig_.device.CountRequests(Command::kProgramWrite) == 1; }));
    ASSERT_TRUE(PollsGoOn());
    EXPECT_EQ(rig_.Requests(Command::kWrite).size(), 1u) << "the name write for slot 0";
    const devsim::ProgramImage image = rig_.device.CurrentImage();
    EXPECT_TRUE(std::equal(image.begin(), image.end(), rig_.program.GetImage().begin()));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(image.data()) + 680, 6), "Centre");
}

TEST_P(ConnectionEndToEnd, RecallingAPresetReplacesTheEditorsProgram) {
    const devsim::ProgramImage preset = rig_.device.PresetImage(5);
    ASSERT_FALSE(std::equal(preset.begin(), preset.end(), rig_.program.GetImage().begin()));
    rig_.transfers.RecallPreset(5);
    ASSERT_TRUE(WaitUntil([&] { return rig_.events.programsLoaded == 2; }));
    EXPECT_TRUE(std::equal(preset.begin(), preset.end(), rig_.program.GetImage().begin()));
}

TEST_P(ConnectionEndToEnd, ARefusedRequestIsDroppedExceptOverUsb) {
    SetFaults([] {
        DeviceFaults faults;
        faults.rules.push_back(FaultRule{Command::kWrite, FaultAction::Refuse, 0, 1});
        return faults;
    }());
    {
        const auto guard = rig_.engine.Queue().Lock();
        rig_.program.GetInput(1).GetBand(0).SetGainIndex(150);
    }
    ASSERT_TRUE(WaitUntil([&] { return rig_.device.CountRequests(Command::kWrite) >= 1; }));
    ASSERT_TRUE(PollsGoOn());
    // Serial and network drop it; USB sends it again, and this time it is taken.
    EXPECT_EQ(rig_.device.CountRequests(Command::kWrite), GetParam() == LinkKind::Usb ? 2u : 1u);
    EXPECT_TRUE(rig_.manager.IsConnected());
    EXPECT_TRUE(rig_.failures.empty());
}

TEST_P(ConnectionEndToEnd, RepliesInSmallPiecesAfterNoiseAreStillAssembled) {
    DeviceFaults faults;
    faults.replyPieceSize = 5;
    faults.strayBytesBefore = {0x13, 0x37};
    SetFaults(faults);
    // Small enough to arrive well inside the shortened network time-out.
    rig_.transfers.ReadEffectGroup(24);
    ASSERT_TRUE(WaitUntil([&] { return rig_.events.effectRecords == 1; }, 5000));
    EXPECT_TRUE(PollsGoOn());
    EXPECT_TRUE(rig_.failures.empty());
}

TEST_P(ConnectionEndToEnd, TogglingWhileConnectedDisconnectsWithoutAsking) {
    bool asked = false;
    rig_.manager.ToggleConnection([&] { return asked = true; });
    EXPECT_FALSE(asked);
    EXPECT_FALSE(rig_.manager.IsConnected());
    EXPECT_EQ(rig_.engine.Queue().Count(), 0);
    const size_t received = rig_.device.Log().size();
    QTest::qWait(50);
    EXPECT_EQ(rig_.device.Log().size(), received) << "nothing is sent after disconnecting";
}

INSTANTIATE_TEST_SUITE_P(Links, ConnectionEndToEnd,
                         ::testing::Values(LinkKind::Serial, LinkKind::Network, LinkKind::Usb),
                         [](const auto& info) { return LinkTestName(info.param); });

TEST(SerialConnection, ASilentDeviceIsWrittenAgainThenGivenUpWithTheComMessage) {
    LinkTestRig rig;
    ASSERT_TRUE(rig.ConnectOver(LinkKind::Serial));
    DeviceFaults faults;
    faults.silentAfterFrames = rig.device.Log().size();
    rig.device.SetFaults(faults);
    const size_t before = rig.device.Log().size();
    ASSERT_TRUE(WaitUntil([&] { return !rig.failures.empty(); }, 6000));
    EXPECT_EQ(rig.failures, std::vector<std::string>{"Unable to Open Com Link!"});
    EXPECT_FALSE(rig.manager.IsConnected());
    EXPECT_FALSE(rig.manager.Serial().IsOpen());
    EXPECT_EQ(rig.engine.Queue().Count(), 0);
    // The unanswered message went out twice (at tick 0 and tick 40), nothing else.
    const std::vector<devsim::ReceivedFrame> log = rig.device.Log();
    ASSERT_EQ(log.size(), before + 2);
    EXPECT_EQ(log[before].bytes, log[before + 1].bytes);
}

TEST(SerialConnection, EditsMadeOfflineAreNotSentRowByRow) {
    LinkTestRig rig;
    rig.program.GetInput(2).GetBand(5).SetGainIndex(120);
    rig.program.GetOutput(1).SetName("Left");
    ASSERT_TRUE(rig.ConnectOver(LinkKind::Serial));
    const size_t polls = rig.device.CountRequests(Command::kStatusPoll);
    ASSERT_TRUE(
        WaitUntil([&] { return rig.device.CountRequests(Command::kStatusPoll) >= polls + 3; }));
    EXPECT_EQ(rig.device.CountRequests(Command::kWrite), 0u);
    rig.manager.Disconnect();
}

class NoPorts : public PortInfoSource {
  public:
    PortListing List() override { return {}; }
};

TEST(SerialConnection, WithNoPortFoundNothingIsChosenAndOnlyThePortMessageShows) {
    LinkTestRig rig;
    NoPorts none;
    // No port is listed, so no port name is stored; a serial open regardless
    // (the Connect dialog refuses it) fails with the port's own message.
    const ConnectPortChoice choice = rig.manager.FillPortList(none);
    EXPECT_TRUE(choice.ports.empty());
    EXPECT_EQ(rig.manager.Settings().serialPortName, "");
    rig.manager.ToggleConnection([] { return true; });
    EXPECT_FALSE(rig.manager.IsConnected());
    EXPECT_EQ(rig.failures, std::vector<std::string>{"Unable to open COM-port!"});
}

TEST(SerialConnection, OpeningAnOpenPortClosesItFirst) {
    LinkTestRig rig;
    ASSERT_TRUE(rig.pty.Open());
    EXPECT_TRUE(rig.manager.Serial().Open(rig.pty.SlavePath()));
    EXPECT_TRUE(rig.manager.Serial().Open(rig.pty.SlavePath()));
    EXPECT_TRUE(rig.manager.Serial().Close());
    EXPECT_FALSE(rig.manager.Serial().Close());
}

TEST(NetworkConnection, AClosedConnectionIsShownLostThenReopenedAndTheMessageSentAgain) {
    LinkTestRig rig;
    ASSERT_TRUE(rig.ConnectOver(LinkKind::Network));
    std::vector<bool> shownUp;
    QObject::connect(&rig.manager, &ConnectionManager::ConnectionChanged,
                     [&](bool up) { shownUp.push_back(up); });
    DeviceFaults faults;
    faults.rules.push_back(FaultRule{Command::kStatusPoll, FaultAction::CloseConnection, 0, 1});
    rig.device.SetFaults(faults);
    const size_t before = rig.device.Log().size();
    // Lost at once, long before the reconnect is due.
    ASSERT_TRUE(WaitUntil([&] { return !rig.failures.empty(); }, 500));
    EXPECT_EQ(rig.failures,
              std::vector<std::string>{std::string(LinkMessage::kNetworkLinkLost.english)});
    EXPECT_FALSE(rig.manager.IsLinkUp());
    EXPECT_TRUE(rig.manager.IsConnected()) << "the reconnect is still to come";
    // 100 ticks, a 500 ms pause, the connect, a 1000 ms settle, then the resend.
    ASSERT_TRUE(WaitUntil([&] { return rig.server.ConnectionCount() == 2; }, 6000));
    ASSERT_TRUE(WaitUntil([&] { return rig.device.Log().size() >= before + 3; }, 6000));
    const std::vector<devsim::ReceivedFrame> log = rig.device.Log();
    EXPECT_EQ(log[before].bytes, log[before + 1].bytes) << "the unanswered poll is resent";
    EXPECT_TRUE(rig.manager.IsLinkUp());
    EXPECT_EQ(rig.manager.NetworkReconnectCount(), 1);
    EXPECT_EQ(rig.failures.size(), 1u);
    EXPECT_EQ(shownUp, (std::vector<bool>{false, true}));
    rig.manager.Disconnect();
}

TEST(NetworkConnection, ARefusedConnectShowsTheNetworkMessageOnce) {
    LinkTestRig rig;
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const quint16 port = closed.serverPort();
    closed.close();
    rig.manager.Settings().linkKind = LinkKind::Network;
    rig.manager.Settings().deviceAddress = "127.0.0.1";
    rig.manager.Settings().tcpPort = port;
    rig.manager.Connect();
    ASSERT_TRUE(WaitUntil([&] { return !rig.failures.empty(); }));
    QTest::qWait(20);
    EXPECT_EQ(rig.failures, std::vector<std::string>{"Unable to Open Network Link!"});
    EXPECT_FALSE(rig.manager.IsConnected());
    EXPECT_FALSE(rig.manager.IsConnecting());
}

TEST(NetworkConnection, TheThirdTimeOutOfOneConnectionEndsIt) {
    LinkTestRig rig;
    ASSERT_TRUE(rig.ConnectOver(LinkKind::Network));
    DeviceFaults faults;
    faults.rules.push_back(FaultRule{Command::kStatusPoll, FaultAction::Silence, 0, 3});
    rig.device.SetFaults(faults);
    // Two reconnects (each 100 ticks, 500 ms, connect, 1000 ms), then 100 more ticks.
    ASSERT_TRUE(WaitUntil([&] { return !rig.failures.empty(); }, 12000));
    EXPECT_EQ(rig.failures, std::vector<std::string>{"Unable to Open Network Link!"});
    EXPECT_EQ(rig.server.ConnectionCount(), 3);
    EXPECT_FALSE(rig.manager.IsConnected());
    EXPECT_EQ(rig.engine.Queue().Count(), 0);
}

// An address where nothing answers: a listener whose one-place backlog is
// already taken, so the kernel drops further connection attempts.
class UnansweringPort {
  public:
    UnansweringPort() {
        listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
            ::listen(listener_, 0) != 0 ||
            ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
            return;
        }
        port_ = ntohs(address.sin_port);
        filler_ = ::socket(AF_INET, SOCK_STREAM, 0);
        if (::connect(filler_, reinterpret_cast<sockaddr*>(&address), size) != 0) {
            port_ = 0;
        }
    }
    ~UnansweringPort() {
        ::close(filler_);
        ::close(listener_);
    }
    quint16 Port() const { return port_; }

  private:
    int listener_ = -1;
    int filler_ = -1;
    quint16 port_ = 0;
};

TEST(NetworkConnection, AConnectNobodyAnswersIsAbandonedByTheGuard) {
    LinkTestRig rig;
    UnansweringPort nobody;
    ASSERT_NE(nobody.Port(), 0);
    rig.manager.Settings().linkKind = LinkKind::Network;
    rig.manager.Settings().deviceAddress = "127.0.0.1";
    rig.manager.Settings().tcpPort = nobody.Port();
    QElapsedTimer clock;
    clock.start();
    rig.manager.Connect();
    EXPECT_TRUE(rig.manager.IsConnecting());
    EXPECT_TRUE(rig.manager.Network().IsGuardArmed());
    ASSERT_TRUE(WaitUntil([&] { return !rig.failures.empty(); }, 5000));
    EXPECT_GE(clock.elapsed(), 1500);
    EXPECT_EQ(rig.failures, std::vector<std::string>{"Unable to Open Network Link!"});
    EXPECT_FALSE(rig.manager.IsConnected());
    EXPECT_FALSE(rig.manager.IsConnecting());
}

TEST(SerialConnection, APortThatGoesAwayIsShownLostAtOnce) {
    LinkTestRig rig;
    ASSERT_TRUE(rig.ConnectOver(LinkKind::Serial));
    rig.pty.Close();
    // Well before the 80 ticks of the give-up.
    ASSERT_TRUE(WaitUntil([&] { return !rig.failures.empty(); }, 300));
    EXPECT_EQ(rig.failures,
              std::vector<std::string>{std::string(LinkMessage::kComLinkLost.english)});
    EXPECT_FALSE(rig.manager.IsConnected());
    EXPECT_FALSE(rig.manager.Serial().IsOpen());
    EXPECT_EQ(rig.engine.Queue().Count(), 0);
}

TEST(SerialConnection, DataArrivingWhileTheQueueIsEmptyWaitsForTheNextEvent) {
    LinkTestRig rig;
    PseudoTerminal terminal;
    ASSERT_TRUE(terminal.IsOpen());
    SerialLink& serial = rig.manager.Serial();
    ASSERT_TRUE(serial.Open(terminal.SlavePath()));
    const std::vector<uint8_t> reply =
        AssembleFrame(FrameHeader{Command::kStatusPoll, 0, 0, 0, 0}, std::vector<uint8_t>(8, 0));

    terminal.Send(std::vector<uint8_t>(reply.begin(), reply.begin() + 10));
    QTest::qWait(40);  // the event comes and goes; nothing is read
    rig.engine.Post(BuildStatusPoll());
    ASSERT_EQ(rig.engine.Queue().Count(), 1);
    terminal.Send(std::vector<uint8_t>(reply.begin() + 10, reply.end()));
    // Both halves are read with the second event and complete the poll.
    EXPECT_TRUE(WaitUntil([&] { return rig.engine.Queue().Count() == 0; }));
    serial.Close();
}

TEST(UsbConnection, RemovingTheOpenDeviceEndsTheLinkAnOtherDeviceDoesNot) {
    LinkTestRig rig;
    ASSERT_TRUE(rig.ConnectOver(LinkKind::Usb));
    rig.usb.HandleDeviceRemoved("/dev/hidraw2");
    QTest::qWait(20);
    EXPECT_TRUE(rig.manager.IsConnected());
    EXPECT_TRUE(rig.failures.empty());

    rig.hid->SetPluggedIn(false);
    rig.usb.HandleDeviceRemoved("/DEV/HIDRAW7");
    ASSERT_TRUE(WaitUntil([&] { return !rig.failures.empty(); }));
    EXPECT_EQ(rig.failures,
              std::vector<std::string>{std::string(LinkMessage::kUsbLinkLost.english)});
    EXPECT_FALSE(rig.manager.IsConnected());
    EXPECT_FALSE(rig.usb.IsPresent());
    EXPECT_EQ(rig.engine.Queue().Count(), 0);
}

TEST(UsbConnection, NoDeviceShowsTheUsbMessage) {
    LinkTestRig rig;
    rig.hidBus.Detach(LinkTestRig::kHidPath);
    rig.manager.Settings().linkKind = LinkKind::Usb;
    rig.manager.Connect();
    EXPECT_FALSE(rig.manager.IsConnected());
    EXPECT_EQ(rig.failures, std::vector<std::string>{"Unable to Open USB Link!"});
}

TEST(NetworkConnection, APortTcpCannotHaveIsNotCutToAnotherPort) {
    LinkTestRig rig;
    ASSERT_TRUE(rig.server.Listen());
    rig.manager.Settings().linkKind = LinkKind::Network;
    rig.manager.Settings().deviceAddress = "127.0.0.1";
    // Cut to 16 bits this would be the simulator's own port.
    rig.manager.Settings().tcpPort = 65536 + rig.server.Port();
    rig.manager.Connect();
    QTest::qWait(50);
    EXPECT_EQ(rig.failures, std::vector<std::string>{"Unable to Open Network Link!"});
    EXPECT_EQ(rig.server.ConnectionCount(), 0);
    EXPECT_FALSE(rig.manager.IsConnected());
}

TEST(ConnectionSettings, StartFromTheFactoryValues) {
    const ConnectionSettings settings;
    EXPECT_EQ(settings.linkKind, LinkKind::Serial);
    EXPECT_EQ(settings.serialPortName, "");
    EXPECT_EQ(settings.tcpPort, 8080);
    EXPECT_EQ(settings.deviceAddress, kFactoryDeviceAddress);
}

}  // namespace
