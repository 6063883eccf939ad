// SPDX-License-Identifier: GPL-3.0-or-later
// The Connect dialog's fields and buttons, what Enter opens, what it refuses
// and says, and what each choice leaves in the connection settings and in
// the remembered settings. Nothing here opens a link.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QSettings>
#include <QTemporaryDir>

#include "ShellTestRig.h"
#include "app/LinkSettingsMemory.h"
#include "links/ConnectionSettings.h"

namespace {

PortInterfaceInfo Port(const std::string& name, const std::string& friendly,
                       const std::string& description, bool onUsb) {
    return {"/dev/" + name, name, friendly, description, onUsb};
}

struct ConnectDialogFixture : ::testing::Test {
    ConnectionSettings& Settings() { return rig.view.Device().Manager().Settings(); }
    std::unique_ptr<ConnectDialog> Open(Language language = Language::English) {
        auto dialog =
            std::make_unique<ConnectDialog>(rig.view.Device().Manager(), rig.ports, language);
        dialog->show();
        return dialog;
    }
    void ListPorts() {
        rig.ports.listing.ports = {
            Port("ttyS0", "serial8250 (ttyS0)", "serial8250", false),
            Port("ttyUSB0", "Silicon Labs CP2102 USB to UART Bridge Controller (ttyUSB0)",
                 "CP2102 USB to UART Bridge Controller", true),
            Port("ttyUSB1", "FTDI FT232R USB UART (ttyUSB1)", "FT232R USB UART", true)};
    }
    ShellTestRig rig;
};

TEST_F(ConnectDialogFixture, ShowsTheStoredAddressAndPortAndTheSerialList) {
    std::unique_ptr<ConnectDialog> dialog = Open(Language::Chinese);
    EXPECT_EQ(dialog->AddressField()->text(), QString::fromLatin1(kFactoryDeviceAddress));
    EXPECT_EQ(dialog->PortField()->text(), QStringLiteral("8080"));
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("连接"));
    EXPECT_EQ(dialog->NetworkButton()->text(), QStringLiteral("网络"));
    EXPECT_EQ(dialog->UsbButton()->text(), QStringLiteral("USB"));
    EXPECT_EQ(dialog->SerialButton()->text(), QStringLiteral("串口连接"));
    EXPECT_TRUE(dialog->SerialPortList()->isVisible());
    EXPECT_FALSE(dialog->ProblemLabel()->isVisible());
}

TEST_F(ConnectDialogFixture, NetworkTakesTheTypedAddressAndPort) {
    std::unique_ptr<ConnectDialog> dialog = Open();
    ShellTestRig::TypeInto(dialog->AddressField(), QStringLiteral("127.0.0.1"));
    ShellTestRig::TypeInto(dialog->PortField(), QStringLiteral("9123"));
    QTest::mouseClick(dialog->NetworkButton(), Qt::LeftButton);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(Settings().linkKind, LinkKind::Network);
    EXPECT_EQ(Settings().deviceAddress, "127.0.0.1");
    EXPECT_EQ(Settings().tcpPort, 9123);
}

TEST_F(ConnectDialogFixture, AnUnusableAddressOrPortIsRefusedWithAMessage) {
    struct Case {
        const char* address;
        const char* port;
        const char* message;
    };
    const Case cases[] = {
        {"127.0.0", "8080", "The IP address must be four numbers"},
        {"256.0.0.1", "8080", "The IP address must be four numbers"},
        {"", "8080", "The IP address must be four numbers"},
        {"127.0.0.1", "0", "The port must be a number from 1 to 65535."},
        {"127.0.0.1", "65536", "The port must be a number from 1 to 65535."},
        {"127.0.0.1", "", "The port must be a number from 1 to 65535."},
    };
    for (const Case& c : cases) {
        std::unique_ptr<ConnectDialog> dialog = Open();
        ShellTestRig::TypeInto(dialog->AddressField(), QString::fromLatin1(c.address));
        ShellTestRig::TypeInto(dialog->PortField(), QString::fromLatin1(c.port));
        QTest::keyClick(dialog->PortField(), Qt::Key_Return);
        EXPECT_TRUE(dialog->isVisible()) << c.address << " " << c.port;
        EXPECT_NE(dialog->result(), QDialog::Accepted) << c.address << " " << c.port;
        EXPECT_TRUE(dialog->ProblemLabel()->isVisible()) << c.address << " " << c.port;
        EXPECT_TRUE(dialog->ProblemLabel()->text().startsWith(QString::fromLatin1(c.message)))
            << dialog->ProblemLabel()->text().toStdString();
        EXPECT_EQ(Settings().linkKind, LinkKind::Serial);
        EXPECT_EQ(Settings().deviceAddress, kFactoryDeviceAddress);
    }
    std::unique_ptr<ConnectDialog> chinese = Open(Language::Chinese);
    ShellTestRig::TypeInto(chinese->AddressField(), QStringLiteral("1.2"));
    QTest::mouseClick(chinese->NetworkButton(), Qt::LeftButton);
    EXPECT_TRUE(chinese->ProblemLabel()->text().startsWith(QStringLiteral("IP 地址")));
}

TEST_F(ConnectDialogFixture, PortFieldTakesDigitsOnly) {
    std::unique_ptr<ConnectDialog> dialog = Open();
    ShellTestRig::TypeInto(dialog->PortField(), QStringLiteral("80a8-0"));
    EXPECT_EQ(dialog->PortField()->text(), QStringLiteral("8080"));
}

TEST_F(ConnectDialogFixture, EnterOpensTheLinkWhoseFieldsWereEdited) {
    ListPorts();
    // Typing an address means the network link, whatever was chosen before.
    Settings().linkKind = LinkKind::Usb;
    std::unique_ptr<ConnectDialog> typed = Open();
    ShellTestRig::TypeInto(typed->AddressField(), QStringLiteral("127.0.0.1"));
    QTest::keyClick(typed->AddressField(), Qt::Key_Return);
    EXPECT_EQ(typed->result(), QDialog::Accepted);
    EXPECT_EQ(Settings().linkKind, LinkKind::Network);
    EXPECT_EQ(Settings().deviceAddress, "127.0.0.1");

    // Picking a port from the list means the serial link.
    std::unique_ptr<ConnectDialog> picked = Open();
    picked->SerialPortList()->setFocus();
    QTest::keyClick(picked->SerialPortList(), Qt::Key_Down);
    QTest::keyClick(picked.get(), Qt::Key_Return);
    EXPECT_EQ(picked->result(), QDialog::Accepted);
    EXPECT_EQ(Settings().linkKind, LinkKind::Serial);
    EXPECT_EQ(Settings().serialPortName, "ttyS0") << "the entry below the first bridge";

    // Nothing edited: the link chosen last.
    Settings().linkKind = LinkKind::Usb;
    std::unique_ptr<ConnectDialog> untouched = Open();
    QTest::keyClick(untouched.get(), Qt::Key_Return);
    EXPECT_EQ(untouched->result(), QDialog::Accepted);
    EXPECT_EQ(Settings().linkKind, LinkKind::Usb);
    EXPECT_EQ(Settings().deviceAddress, "127.0.0.1");

    std::unique_ptr<ConnectDialog> cancel = Open();
    ShellTestRig::TypeInto(cancel->AddressField(), QStringLiteral("127.0.0.2"));
    QTest::mouseClick(cancel->CancelButton(), Qt::LeftButton);
    EXPECT_EQ(cancel->result(), QDialog::Rejected);
    EXPECT_EQ(Settings().linkKind, LinkKind::Usb);
    EXPECT_EQ(Settings().deviceAddress, "127.0.0.1");
}

TEST_F(ConnectDialogFixture, EnterOnAFocusedButtonPressesThatButton) {
    ListPorts();
    std::unique_ptr<ConnectDialog> usb = Open();
    ShellTestRig::TypeInto(usb->AddressField(), QStringLiteral("127.0.0.1"));
    usb->UsbButton()->setFocus();
    QTest::keyClick(usb->UsbButton(), Qt::Key_Return);
    EXPECT_EQ(usb->result(), QDialog::Accepted);
    EXPECT_EQ(Settings().linkKind, LinkKind::Usb) << "not the network link whose field was typed";

    std::unique_ptr<ConnectDialog> cancel = Open();
    ShellTestRig::TypeInto(cancel->AddressField(), QStringLiteral("127.0.0.2"));
    cancel->CancelButton()->setFocus();
    QTest::keyClick(cancel->CancelButton(), Qt::Key_Enter);
    EXPECT_EQ(cancel->result(), QDialog::Rejected);
    EXPECT_EQ(Settings().linkKind, LinkKind::Usb);
    EXPECT_NE(Settings().deviceAddress, "127.0.0.2");
}

TEST_F(ConnectDialogFixture, SerialListShowsEveryPortBridgesFirstAndMarkedThenOther) {
    ListPorts();
    std::unique_ptr<ConnectDialog> dialog = Open();
    QComboBox* list = dialog->SerialPortList();
    ASSERT_EQ(list->count(), 4);
    EXPECT_EQ(list->itemText(0),
              QStringLiteral("ttyUSB0 - CP2102 USB to UART Bridge Controller [USB-UART bridge]"));
    EXPECT_EQ(list->itemText(1), QStringLiteral("ttyS0 - serial8250"));
    EXPECT_EQ(list->itemText(2), QStringLiteral("ttyUSB1 - FT232R USB UART"));
    EXPECT_EQ(list->itemText(3), QStringLiteral("Other..."));
    EXPECT_EQ(list->currentIndex(), 0) << "the device's bridge is chosen first";
    EXPECT_EQ(Settings().serialPortName, "ttyUSB0");
    EXPECT_FALSE(dialog->SerialPathField()->isVisible());

    // "Other..." takes a typed path, such as a pseudo-terminal.
    list->setCurrentIndex(3);
    EXPECT_TRUE(dialog->SerialPathField()->isVisible());
    ShellTestRig::TypeInto(dialog->SerialPathField(), QStringLiteral("/dev/pts/9"));
    QTest::mouseClick(dialog->SerialButton(), Qt::LeftButton);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(Settings().linkKind, LinkKind::Serial);
    EXPECT_EQ(Settings().serialPortName, "/dev/pts/9");

    // The typed path comes back under "Other..." next time.
    std::unique_ptr<ConnectDialog> again = Open();
    EXPECT_EQ(again->SerialPortList()->currentIndex(), 3);
    EXPECT_EQ(again->SerialPathField()->text(), QStringLiteral("/dev/pts/9"));
}

TEST_F(ConnectDialogFixture, WithoutPortsEnterAsksForOneInsteadOfOpeningNull) {
    std::unique_ptr<ConnectDialog> dialog = Open(Language::Chinese);
    ASSERT_EQ(dialog->SerialPortList()->count(), 1);
    EXPECT_EQ(dialog->SerialPortList()->itemText(0), QStringLiteral("其他..."));
    QTest::keyClick(dialog.get(), Qt::Key_Return);
    EXPECT_NE(dialog->result(), QDialog::Accepted);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(dialog->ProblemLabel()->text().startsWith(QStringLiteral("未选择串口")));
    EXPECT_EQ(Settings().serialPortName, "");
}

TEST(LinkSettingsMemoryTest, TheDialogsChoiceIsRecalledInTheNextRun) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString file = folder.filePath(QStringLiteral("sonavel.ini"));
    {
        ShellTestRig rig;
        LinkSettingsMemory memory(file);
        rig.view.SetLinkSettingsMemory(&memory);
        EXPECT_EQ(rig.view.Device().Manager().Settings().deviceAddress, kFactoryDeviceAddress)
            << "the start values apply the first time";
        rig.view.SetConnectDialogRunner([](ConnectDialog& dialog) {
            ShellTestRig::TypeInto(dialog.AddressField(), QStringLiteral("127.0.0.1"));
            ShellTestRig::TypeInto(dialog.PortField(), QStringLiteral("1"));
            QTest::mouseClick(dialog.NetworkButton(), Qt::LeftButton);
            return dialog.result() == QDialog::Accepted;
        });
        rig.view.ToggleConnection();
        RunUntil([&] { return !rig.messages.shown.empty(); }, 3000);
    }
    ShellTestRig next;
    LinkSettingsMemory memory(file);
    next.view.SetLinkSettingsMemory(&memory);
    const ConnectionSettings& settings = next.view.Device().Manager().Settings();
    EXPECT_EQ(settings.linkKind, LinkKind::Network);
    EXPECT_EQ(settings.deviceAddress, "127.0.0.1");
    EXPECT_EQ(settings.tcpPort, 1);

    // Values no link can use are not recalled.
    QSettings raw(file, QSettings::IniFormat);
    raw.setValue(QStringLiteral("link/kind"), 7);
    raw.setValue(QStringLiteral("link/port"), 70000);
    raw.sync();
    const ConnectionSettings start;
    const ConnectionSettings recalled = LinkSettingsMemory(file).Recall(start);
    EXPECT_EQ(recalled.linkKind, LinkKind::Serial);
    EXPECT_EQ(recalled.tcpPort, kDefaultTcpPort);
    EXPECT_EQ(recalled.deviceAddress, "127.0.0.1");
}

}  // namespace
