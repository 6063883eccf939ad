// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QTest>
#include <cerrno>

#include "PseudoTerminal.h"
#include "TestApp.h"
#include "links/SerialErrors.h"
#include "links/SerialLink.h"
#include "links/SerialWnd.h"

namespace {

class SerialPortTest : public ::testing::Test {
  protected:
    void SetUp() override {
        TestApp();
        ASSERT_TRUE(terminal_.IsOpen());
    }
    PseudoTerminal terminal_;
};

TEST_F(SerialPortTest, ErrorCodesOfTheFamilyAreKeptAsTheLastError) {
    CSerialWnd port;
    std::array<uint8_t, 4> buffer{};
    EXPECT_EQ(port.Read(buffer.data(), buffer.size(), nullptr, 10), kSerialInvalidHandle);
    EXPECT_EQ(port.Write(buffer.data(), buffer.size(), nullptr, 10), kSerialInvalidHandle);
    EXPECT_EQ(port.Setup(), kSerialInvalidHandle);
    EXPECT_EQ(port.Close(), kSerialInvalidHandle);
    EXPECT_EQ(port.GetLastError(), kSerialInvalidHandle);

    EXPECT_NE(port.Open("/dev/NULL"), kSerialSuccess);
    EXPECT_NE(port.Open("/dev/null"), kSerialSuccess) << "not a serial line";
    EXPECT_FALSE(port.IsOpen());

    ASSERT_EQ(port.Open(terminal_.SlavePath()), kSerialSuccess);
    EXPECT_EQ(port.Open(terminal_.SlavePath()), kSerialAlreadyOpen);
    EXPECT_EQ(port.GetLastError(), kSerialAlreadyOpen);
    EXPECT_EQ(port.SetupHandshaking(static_cast<CSerial::EHandshake>(7)), kSerialInvalidArgument);
    EXPECT_EQ(port.SetupReadTimeouts(static_cast<CSerial::EReadTimeout>(7)),
              kSerialInvalidArgument);
    EXPECT_EQ(port.Close(), kSerialSuccess);
    EXPECT_EQ(port.GetLastError(), kSerialSuccess);
}

TEST_F(SerialPortTest, BytesTravelUnchangedAtTheDeviceSettings) {
    CSerialWnd port;
    ASSERT_EQ(port.Open(terminal_.SlavePath()), kSerialSuccess);
    ASSERT_EQ(port.Setup(CSerial::EBaud57600, CSerial::EData8, CSerial::EParNone, CSerial::EStop1),
              kSerialSuccess);
    ASSERT_EQ(port.SetupHandshaking(CSerial::EHandshakeOff), kSerialSuccess);

    // Bytes a cooked line would translate or swallow: CR, LF, XON/XOFF, ^C.
    const std::vector<uint8_t> frame = {0x5A, 0x0D, 0x0A, 0x11, 0x13, 0x03, 0x7F, 0xAA};
    size_t written = 0;
    EXPECT_EQ(port.Write(frame.data(), frame.size(), &written, 1000), kSerialSuccess);
    EXPECT_EQ(written, frame.size());
    EXPECT_EQ(terminal_.Receive(), frame);

    terminal_.Send(frame);
    QTest::qWait(20);
    std::array<uint8_t, 50> buffer{};
    size_t read = 0;
    EXPECT_EQ(port.Read(buffer.data(), buffer.size(), &read, 50), kSerialSuccess);
    ASSERT_EQ(read, frame.size());
    EXPECT_TRUE(std::equal(frame.begin(), frame.end(), buffer.begin()));

    // Nothing waiting: a non-blocking read completes at once with nothing.
    EXPECT_EQ(port.Read(buffer.data(), buffer.size(), &read, 50), kSerialSuccess);
    EXPECT_EQ(read, 0u);
    port.Close();
}

TEST_F(SerialPortTest, PurgeDiscardsWhatWaitsInThePort) {
    CSerialWnd port;
    ASSERT_EQ(port.Open(terminal_.SlavePath()), kSerialSuccess);
    port.Setup();
    terminal_.Send({1, 2, 3, 4});
    QTest::qWait(20);
    EXPECT_EQ(port.Purge(), kSerialSuccess);
    std::array<uint8_t, 8> buffer{};
    size_t read = 0;
    port.Read(buffer.data(), buffer.size(), &read, 50);
    EXPECT_EQ(read, 0u);
    port.Close();
}

TEST_F(SerialPortTest, TheListenerReportsEachArrivalOnceOnTheUiThread) {
    CSerialWnd port;
    struct Event {
        quint32 wParam;
        qint64 parameter;
        QThread* thread;
    };
    std::vector<Event> events;
    QObject receiver;
    QObject::connect(&port, &CSerialWnd::ComEvent, &receiver,
                     [&events](quint32 wParam, qint64 parameter) {
                         events.push_back({wParam, parameter, QThread::currentThread()});
                     });
    ASSERT_EQ(port.Open(terminal_.SlavePath(), 42), kSerialSuccess);
    port.Setup();
    port.SetMask(CSerial::kEventAll);

    terminal_.Send({0x5A, 0x5A});
    ASSERT_TRUE(WaitUntil([&] { return events.size() >= 1; }));
    EXPECT_EQ(events[0].wParam & 0xFFFF, CSerial::kEventReceivedChar);
    EXPECT_EQ(events[0].parameter, 42);
    EXPECT_EQ(events[0].thread, QThread::currentThread());

    // The bytes are left unread: no further event until more arrive.
    QTest::qWait(60);
    EXPECT_EQ(events.size(), 1u);
    terminal_.Send({0xAA});
    EXPECT_TRUE(WaitUntil([&] { return events.size() >= 2; }));
    EXPECT_EQ(events.size(), 2u);

    // A listener stopped and started again waits as before, neither woken
    // for ever by the old stop nor deaf to the next arrival.
    EXPECT_EQ(port.StopListener(), kSerialSuccess);
    EXPECT_EQ(port.StartListener(), kSerialSuccess);
    QTest::qWait(30);
    EXPECT_EQ(events.size(), 2u);
    terminal_.Send({0x02});
    EXPECT_TRUE(WaitUntil([&] { return events.size() >= 3; }));
    EXPECT_EQ(events.size(), 3u);

    // Closing stops the listener; later arrivals are not reported.
    EXPECT_EQ(port.Close(), kSerialSuccess);
    EXPECT_FALSE(port.IsListening());
    terminal_.Send({0x01});
    QTest::qWait(30);
    EXPECT_EQ(events.size(), 3u);
}

TEST(SerialOpenFailureTest, APortThisUserMayNotOpenSaysHowToGetPermission) {
    struct Case {
        long error;
        bool permission;
    };
    for (const Case c : {Case{EACCES, true}, Case{EPERM, true}, Case{ENOENT, false},
                         Case{EBUSY, false}, Case{kSerialInvalidHandle, false}}) {
        const BilingualText message = SerialLink::OpenFailureMessage(c.error);
        const std::string english(message.english);
        EXPECT_EQ(english.rfind("Unable to open COM-port!", 0), 0u) << c.error;
        EXPECT_EQ(english.find("dialout") != std::string::npos, c.permission) << c.error;
        EXPECT_EQ(std::string(message.chinese).find("dialout") != std::string::npos, c.permission)
            << c.error;
    }
}

}  // namespace
