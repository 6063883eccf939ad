// SPDX-License-Identifier: GPL-3.0-or-later
// The USB link end to end: the real protocol engine and worker thread against a
// simulated HID device, with reply time-outs and pauses divided down so that
// every wait here stays short. Waits poll for an outcome with a generous bound.
#include "links/Usb_Port.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <set>
#include <thread>

#include "core/SimulatedDevice.h"
#include "links/UsbDeviceIdentity.h"
#include "protocol/Command.h"
#include "protocol/Frame.h"
#include "protocol/MessageSource.h"
#include "protocol/ProtocolEvents.h"
#include "protocol/ReplyTargets.h"
#include "testing/HidSimulatedBackend.h"
#include "transport/HidBusDevice.h"

namespace {

using namespace std::chrono_literals;

constexpr int kTimingDivisor = 20;  // reply time-out 1000 ms -> 50 ms

bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds bound = 5s) {
    const auto deadline = std::chrono::steady_clock::now() + bound;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

std::vector<uint8_t> Request(uint8_t command, uint8_t sub, uint8_t a, uint8_t b, uint8_t c,
                             size_t payloadLength = 8) {
    return AssembleFrame({command, sub, a, b, c}, std::vector<uint8_t>(payloadLength, 0));
}

class PollSource final : public MessageSource {
  public:
    std::unique_ptr<CSendData> NextPendingMessage() override {
        return MakeMessage(Request(Command::kStatusPoll, 0, 0, 0, 0));
    }
};

class StoreTargets final : public ReplyTargets {
  public:
    void StoreProgramName(int, std::span<const uint8_t, kProgramNameLength>) override {}
    void StoreSystemItem(int, std::span<const uint8_t>) override {}
    uint8_t GetSystemByte(int) const override { return 0xFF; }
};

// Called on the worker thread.
class CountingEvents final : public ProtocolEvents {
  public:
    void OnProgramReceived() override { ++programReceived; }
    void OnSystemDataRead() override {}
    void OnEffectRecordReceived() override {}
    void OnReadTransferFinished() override { ++readTransferFinished; }
    void OnUsbGaveUp() override { ++gaveUp; }

    std::atomic<int> programReceived{0};
    std::atomic<int> readTransferFinished{0};
    std::atomic<int> gaveUp{0};
};

// The device simulator behind the HID interface; notes which threads write to it.
class SimulatorLogic final : public HidDeviceLogic {
  public:
    std::vector<std::vector<uint8_t>> Receive(std::span<const uint8_t> bytes) override {
        {
            const std::lock_guard lock(mutex_);
            writers_.insert(std::this_thread::get_id());
        }
        return devsim::WholeReplies(device, bytes);
    }
    void ResetReceiver() override { device.ResetReceiver(); }

    std::set<std::thread::id> Writers() const {
        const std::lock_guard lock(mutex_);
        return writers_;
    }

    devsim::SimulatedDevice device;

  private:
    mutable std::mutex mutex_;
    std::set<std::thread::id> writers_;
};

HidDeviceInfo DeviceAt(std::string path, uint16_t release = kSonavelReleaseNumber) {
    return {std::move(path), kSonavelVendorId, kSonavelProductId, release};
}

class UsbPortTest : public testing::Test {
  protected:
    UsbPortTest() {
        hid = std::make_shared<HidSimulatedDevice>(DeviceAt("/dev/hidraw3"), logic);
        backend.Attach(hid);
        port.ScaleTimingsForTesting(kTimingDivisor);
    }

    // Queues one message ahead of the polls, as a producer on the UI thread would.
    void Post(std::vector<uint8_t> frame, bool longWait = false, bool endOfRead = false) {
        auto message = MakeMessage(std::move(frame));
        message->longWait = longWait;
        message->endOfRead = endOfRead;
        engine.Post(std::move(message));
    }

    void Connect() {
        ASSERT_TRUE(port.Open());
        port.Signal(UsbEvent::SendNext);
    }

    void SetFaults(std::vector<devsim::FaultRule> rules) {
        devsim::DeviceFaults faults;
        faults.rules = std::move(rules);
        logic->device.SetFaults(faults);
    }

    size_t Requests(uint8_t command) const { return logic->device.CountRequests(command); }
    bool QueueHoldsCommand(uint8_t command) {
        const auto guard = engine.Queue().Lock();
        const CSendData* head = engine.Queue().Head();
        return head != nullptr && head->command == command;
    }

    PollSource source;
    StoreTargets targets;
    CountingEvents events;
    CCommand engine{source, targets, events};
    std::shared_ptr<SimulatorLogic> logic = std::make_shared<SimulatorLogic>();
    std::shared_ptr<HidSimulatedDevice> hid;
    HidSimulatedBackend backend;
    CUsbPort port{backend, engine, events};
};

TEST_F(UsbPortTest, IdleLinkPollsTheDeviceOneReportPerPoll) {
    Connect();
    ASSERT_TRUE(WaitUntil([&] { return Requests(Command::kStatusPoll) >= 3; }));
    port.Close();
    const auto reports = hid->WrittenReports();
    ASSERT_FALSE(reports.empty());
    const std::vector<uint8_t> poll = Request(Command::kStatusPoll, 0, 0, 0, 0);
    EXPECT_EQ(reports[0][0], 0) << "report id";
    EXPECT_TRUE(std::equal(poll.begin(), poll.end(), reports[0].begin() + 1));
    EXPECT_EQ(events.gaveUp, 0);
    EXPECT_FALSE(port.IsPresent());
}

TEST_F(UsbPortTest, FramesOf64And65BytesTakeOneAndTwoReports) {
    // No device command is 64 or 65 bytes long; a device that accepts anything stands in.
    class AcceptAll final : public HidDeviceLogic {
      public:
        std::vector<std::vector<uint8_t>> Receive(std::span<const uint8_t> bytes) override {
            const size_t length = AnnouncedPayloadLength(bytes) + kFrameOverhead;
            frames.emplace_back(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(
                                                                   std::min(length, bytes.size())));
            return {Request(Command::kAccepted, 0, 0, 0, 0)};
        }
        void ResetReceiver() override {}
        std::vector<std::vector<uint8_t>> frames;
    };
    auto accepting = std::make_shared<AcceptAll>();
    auto device = std::make_shared<HidSimulatedDevice>(DeviceAt("/dev/hidraw9"), accepting);
    HidSimulatedBackend otherBackend;
    otherBackend.Attach(device);
    CUsbPort otherPort(otherBackend, engine, events);
    otherPort.ScaleTimingsForTesting(kTimingDivisor);

    Post(Request(Command::kWrite, 1, 0, 0, 0, 64 - kFrameOverhead));
    Post(Request(Command::kWrite, 1, 0, 0, 1, 65 - kFrameOverhead));
    ASSERT_TRUE(otherPort.Open());
    otherPort.Signal(UsbEvent::SendNext);
    ASSERT_TRUE(WaitUntil([&] { return device->WrittenReports().size() >= 3; }));
    otherPort.Close();

    const auto reports = device->WrittenReports();
    EXPECT_EQ(reports[0][64], Request(Command::kWrite, 1, 0, 0, 0, 50).back())
        << "the 64-byte frame ends in the last byte of its only report";
    const std::vector<uint8_t> second = Request(Command::kWrite, 1, 0, 0, 1, 51);
    EXPECT_TRUE(std::equal(second.begin(), second.begin() + 64, reports[1].begin() + 1));
    EXPECT_EQ(reports[2][1], second.back()) << "the 65th byte opens the next report";
    EXPECT_TRUE(std::all_of(reports[2].begin() + 2, reports[2].end(), [](uint8_t b) {
        return b == 0;
    })) << "63 zero bytes of padding";
}

TEST_F(UsbPortTest, ProgramReplyOverSeventeenReportsIsDispatchedOnce) {
    Post(Request(Command::kProgramRead, 0, 0, 0, 255), true, true);
    Connect();
    ASSERT_TRUE(WaitUntil([&] { return Requests(Command::kStatusPoll) >= 2; }));
    port.Close();

    EXPECT_EQ(events.programReceived, 1);
    EXPECT_EQ(events.readTransferFinished, 1);
    EXPECT_EQ(Requests(Command::kProgramRead), 1u) << "answered the first time, not resent";
    const devsim::ProgramImage sent = logic->device.CurrentImage();
    // The start of the first input record is never limited on the way in.
    EXPECT_TRUE(std::equal(sent.begin(), sent.begin() + 8, engine.ReceivedBlock().begin()));
    EXPECT_EQ(events.gaveUp, 0);
}

TEST_F(UsbPortTest, BadReplyReopensTheDeviceAndRewritesTheWholeFrame) {
    SetFaults({{Command::kOutputRecordWrite, devsim::FaultAction::BadChecksum, 0, 1}});
    Post(Request(Command::kOutputRecordWrite, 4, 0, 2, 255, 88));  // two reports
    Connect();
    ASSERT_TRUE(WaitUntil([&] { return Requests(Command::kStatusPoll) >= 1; }));
    port.Close();

    EXPECT_EQ(Requests(Command::kOutputRecordWrite), 2u);
    EXPECT_EQ(hid->OpenCount(), 2) << "opened, then reopened once";
    const auto reports = hid->WrittenReports();
    ASSERT_GE(reports.size(), 4u);
    EXPECT_EQ(reports[2], reports[0]) << "the resend starts again from the first report";
    EXPECT_EQ(reports[3], reports[1]);
    EXPECT_EQ(events.gaveUp, 0);
}

struct GiveUpCase {
    const char* name;
    devsim::FaultAction fault;
};

class UsbPortGiveUp : public UsbPortTest, public testing::WithParamInterface<GiveUpCase> {};

TEST_P(UsbPortGiveUp, ThirdFailureOfOneMessageEndsTheLinkAfterThreeTransmissions) {
    SetFaults({{Command::kOutputRecordWrite, GetParam().fault, 0, 0}});
    Post(Request(Command::kOutputRecordWrite, 4, 0, 2, 255, 88));
    Connect();
    ASSERT_TRUE(WaitUntil([&] { return events.gaveUp > 0; }));
    // Given up, the worker stays quiet until it is closed.
    std::this_thread::sleep_for(100ms);
    port.Close();

    EXPECT_EQ(events.gaveUp, 1);
    EXPECT_EQ(Requests(Command::kOutputRecordWrite), 3u);
    EXPECT_EQ(Requests(Command::kStatusPoll), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, UsbPortGiveUp,
    testing::Values(GiveUpCase{"BadChecksum", devsim::FaultAction::BadChecksum},
                    GiveUpCase{"BadTerminator", devsim::FaultAction::BadTerminator},
                    GiveUpCase{"Refused", devsim::FaultAction::Refuse},
                    GiveUpCase{"Silent", devsim::FaultAction::Silence}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(UsbPortTest, EveryNewMessageStartsWithAFreshFailureCount) {
    SetFaults({{Command::kOutputRecordWrite, devsim::FaultAction::BadChecksum, 0, 2},
               {Command::kStatusPoll, devsim::FaultAction::BadChecksum, 0, 2}});
    Post(Request(Command::kOutputRecordWrite, 4, 0, 2, 255, 88));
    Connect();
    ASSERT_TRUE(WaitUntil([&] { return Requests(Command::kStatusPoll) >= 4; }));
    port.Close();

    EXPECT_EQ(Requests(Command::kOutputRecordWrite), 3u);
    EXPECT_EQ(events.gaveUp, 0);
}

TEST_F(UsbPortTest, FailedReopenGivesUpAtOnce) {
    SetFaults({{Command::kOutputRecordWrite, devsim::FaultAction::BadChecksum, 0, 1}});
    Post(Request(Command::kOutputRecordWrite, 4, 0, 2, 255, 88));
    ASSERT_TRUE(port.Open());
    hid->FailNextOpens(1);
    port.Signal(UsbEvent::SendNext);
    ASSERT_TRUE(WaitUntil([&] { return events.gaveUp > 0; }));
    port.Close();
    EXPECT_EQ(events.gaveUp, 1);
    EXPECT_EQ(Requests(Command::kOutputRecordWrite), 1u);
}

TEST_F(UsbPortTest, SixFailedReadsAreRetriedTheSeventhRecovers) {
    Connect();
    ASSERT_TRUE(WaitUntil([&] { return Requests(Command::kStatusPoll) >= 1; }));
    hid->FailNextReads(6);
    ASSERT_TRUE(WaitUntil([&] { return Requests(Command::kStatusPoll) >= 4; }));
    EXPECT_EQ(hid->OpenCount(), 1) << "six failures in a row are retried on the same handle";

    hid->FailNextReads(7);
    ASSERT_TRUE(WaitUntil([&] { return hid->OpenCount() == 2; }));
    const size_t polls = Requests(Command::kStatusPoll);
    ASSERT_TRUE(WaitUntil([&] { return Requests(Command::kStatusPoll) > polls + 1; }));
    port.Close();
    EXPECT_EQ(events.gaveUp, 0);
}

TEST_F(UsbPortTest, ShortInputReportIsReportedAndItsBytesStillUsed) {
    std::atomic<int> oddSize{0};
    QObject::connect(&port, &CUsbPort::OddReportSize, [&](int count) { oddSize = count; });
    hid->ShortenNextReads(1, 1 + 22);  // the report id and exactly one poll reply
    Connect();
    ASSERT_TRUE(WaitUntil([&] { return Requests(Command::kStatusPoll) >= 2; }));
    port.Close();
    EXPECT_EQ(oddSize, 23);
    EXPECT_EQ(hid->OpenCount(), 1) << "the short reply was accepted, not recovered from";
}

TEST_F(UsbPortTest, UnpluggedDeviceEndsTheLink) {
    Connect();
    ASSERT_TRUE(WaitUntil([&] { return Requests(Command::kStatusPoll) >= 1; }));
    hid->SetPluggedIn(false);
    ASSERT_TRUE(WaitUntil([&] { return events.gaveUp > 0; }));
    port.Close();
    EXPECT_EQ(events.gaveUp, 1);
}

TEST_F(UsbPortTest, CloseAndOpenReuseTheOneWorkerThread) {
    const std::thread::id worker = port.WorkerThreadId();
    for (int round = 1; round <= 3; ++round) {
        Connect();
        const size_t polls = Requests(Command::kStatusPoll);
        ASSERT_TRUE(WaitUntil([&] { return Requests(Command::kStatusPoll) > polls; }))
            << "round " << round;
        port.Close();
        EXPECT_FALSE(port.IsPresent());
    }
    EXPECT_EQ(port.WorkerThreadId(), worker);
    EXPECT_EQ(logic->Writers(), std::set<std::thread::id>{worker});

    // Closed means parked: nothing more reaches the device.
    const size_t polls = Requests(Command::kStatusPoll);
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(Requests(Command::kStatusPoll), polls);
}

// A device that stops taking reports fails the write after its time-out; the
// link reopens and writes again, and goes on once the device takes reports.
TEST_F(UsbPortTest, StalledReportWriteIsBoundedAndRecovered) {
    hid->StallWrites(true);
    Connect();
    ASSERT_TRUE(WaitUntil([&] { return hid->OpenCount() >= 2; })) << "no reopen after the stall";
    hid->StallWrites(false);
    const size_t polls = Requests(Command::kStatusPoll);
    ASSERT_TRUE(WaitUntil([&] { return Requests(Command::kStatusPoll) > polls + 2; }));
    port.Close();
    EXPECT_EQ(events.gaveUp, 0);

    // Stalled for good: the third failed write of one frame gives up.
    hid->StallWrites(true);
    Connect();
    ASSERT_TRUE(WaitUntil([&] { return events.gaveUp > 0; }));
    port.Close();
    EXPECT_FALSE(port.IsPresent());
}

// A driver that holds the writer beyond every time-out cannot hold the
// window: disconnecting returns after a bounded wait, the device cannot be
// opened again while the worker is held, and can once it is let go.
TEST_F(UsbPortTest, DisconnectWaitsForAHeldWorkerABoundedTime) {
    Connect();
    ASSERT_TRUE(WaitUntil([&] { return Requests(Command::kStatusPoll) >= 1; }));
    hid->HangWrites(true);
    const size_t reports = hid->WrittenReports().size();
    std::this_thread::sleep_for(100ms);  // the worker is now inside a write
    ASSERT_EQ(hid->WrittenReports().size(), reports);

    const auto started = std::chrono::steady_clock::now();
    port.Close();
    EXPECT_LT(std::chrono::steady_clock::now() - started, 2s);
    EXPECT_FALSE(port.IsPresent());
    EXPECT_FALSE(port.Open()) << "the worker still holds the device";

    hid->HangWrites(false);
    ASSERT_TRUE(WaitUntil([&] { return port.Open(); }));
    port.Signal(UsbEvent::SendNext);
    const size_t polls = Requests(Command::kStatusPoll);
    ASSERT_TRUE(WaitUntil([&] { return Requests(Command::kStatusPoll) > polls; }));
    port.Close();
}

TEST(UsbPortOpen, OpensOnlyTheInterfaceWithTheRightReleaseNumber) {
    PollSource source;
    StoreTargets targets;
    CountingEvents events;
    CCommand engine{source, targets, events};
    HidSimulatedBackend backend;
    backend.Attach(std::make_shared<HidSimulatedDevice>(DeviceAt("/dev/hidraw1", 0x0100), nullptr));
    backend.Attach(std::make_shared<HidSimulatedDevice>(
        HidDeviceInfo{"/dev/hidraw2", kSonavelVendorId, 0x5751, kSonavelReleaseNumber}, nullptr));
    CUsbPort port(backend, engine, events);
    port.ScaleTimingsForTesting(kTimingDivisor);

    EXPECT_FALSE(port.Open()) << "right ids, wrong release; wrong product";
    EXPECT_FALSE(port.IsPresent());

    backend.Attach(std::make_shared<HidSimulatedDevice>(DeviceAt("/dev/hidraw4"), nullptr));
    EXPECT_TRUE(port.Open());
    EXPECT_EQ(port.DevicePath(), "/dev/hidraw4");
    EXPECT_TRUE(port.IsPresent());
    port.Close();
}

TEST_F(UsbPortTest, OnlyTheRemovalOfTheOpenDeviceIsReported) {
    int removals = 0;
    QObject::connect(&port, &CUsbPort::OpenDeviceRemoved, [&] { ++removals; });

    port.HandleDeviceRemoved("/dev/hidraw3");
    EXPECT_EQ(removals, 0) << "not open yet";

    Connect();
    port.HandleDeviceRemoved("/dev/hidraw7");
    EXPECT_EQ(removals, 0) << "another device";
    port.HandleDeviceRemoved("/DEV/HIDRAW3");
    EXPECT_EQ(removals, 1) << "same path in other case";
    port.Close();

    port.HandleDeviceRemoved("/dev/hidraw3");
    EXPECT_EQ(removals, 1) << "closed";
}

}  // namespace
