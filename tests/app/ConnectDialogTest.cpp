// SPDX-License-Identifier: GPL-3.0-or-later
// The Connect dialog's fields and buttons and what each leaves in the
// connection settings. Nothing here opens a link.
#include <gtest/gtest.h>

#include <QComboBox>

#include "ShellTestRig.h"
#include "links/ConnectionSettings.h"

namespace {

struct ConnectDialogFixture : ::testing::Test {
    ConnectionSettings& Settings() { return rig.view.Device().Manager().Settings(); }
    std::unique_ptr<ConnectDialog> Open(Language language = Language::English) {
        auto dialog =
            std::make_unique<ConnectDialog>(rig.view.Device().Manager(), rig.ports, language);
        dialog->show();
        return dialog;
    }
    ShellTestRig rig;
};

TEST_F(ConnectDialogFixture, ShowsTheStoredAddressAndPort) {
    std::unique_ptr<ConnectDialog> dialog = Open(Language::Chinese);
    EXPECT_EQ(dialog->AddressField()->text(), QString::fromLatin1(kFactoryDeviceAddress));
    EXPECT_EQ(dialog->PortField()->text(), QStringLiteral("8080"));
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("连接"));
    EXPECT_EQ(dialog->NetworkButton()->text(), QStringLiteral("网络"));
    EXPECT_EQ(dialog->UsbButton()->text(), QStringLiteral("USB"));
    EXPECT_FALSE(dialog->SerialPortList()->isVisible());
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

TEST_F(ConnectDialogFixture, AnIncompleteAddressKeepsTheDialogOpenAndTheSettings) {
    std::unique_ptr<ConnectDialog> dialog = Open();
    ShellTestRig::TypeInto(dialog->AddressField(), QStringLiteral("127.0.0"));
    QTest::mouseClick(dialog->NetworkButton(), Qt::LeftButton);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_NE(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(Settings().linkKind, LinkKind::Serial);
    EXPECT_EQ(Settings().deviceAddress, kFactoryDeviceAddress);
}

TEST_F(ConnectDialogFixture, PortFieldTakesDigitsOnly) {
    std::unique_ptr<ConnectDialog> dialog = Open();
    ShellTestRig::TypeInto(dialog->PortField(), QStringLiteral("80a8-0"));
    EXPECT_EQ(dialog->PortField()->text(), QStringLiteral("8080"));
}

TEST_F(ConnectDialogFixture, UsbEnterAndCancel) {
    std::unique_ptr<ConnectDialog> usb = Open();
    QTest::mouseClick(usb->UsbButton(), Qt::LeftButton);
    EXPECT_EQ(usb->result(), QDialog::Accepted);
    EXPECT_EQ(Settings().linkKind, LinkKind::Usb);

    // Enter opens the link chosen last, whatever the fields hold.
    std::unique_ptr<ConnectDialog> enter = Open();
    ShellTestRig::TypeInto(enter->AddressField(), QStringLiteral("127.0.0.1"));
    QTest::keyClick(enter->AddressField(), Qt::Key_Return);
    EXPECT_EQ(enter->result(), QDialog::Accepted);
    EXPECT_EQ(Settings().linkKind, LinkKind::Usb);
    EXPECT_EQ(Settings().deviceAddress, kFactoryDeviceAddress);

    std::unique_ptr<ConnectDialog> cancel = Open();
    QTest::mouseClick(cancel->CancelButton(), Qt::LeftButton);
    EXPECT_EQ(cancel->result(), QDialog::Rejected);
    EXPECT_EQ(Settings().linkKind, LinkKind::Usb);
}

TEST_F(ConnectDialogFixture, SerialListHoldsNullWithoutPorts) {
    std::unique_ptr<ConnectDialog> dialog = Open();
    ASSERT_EQ(dialog->SerialPortList()->count(), 1);
    EXPECT_EQ(dialog->SerialPortList()->itemText(0), QStringLiteral("NULL"));
    EXPECT_EQ(Settings().serialPortName, "NULL");
}

TEST_F(ConnectDialogFixture, SerialListOffersBridgesAndStoresTheSelection) {
    PortInterfaceInfo bridge;
    bridge.devicePath = "/dev/ttyUSB0";
    bridge.portName = "ttyUSB0";
    bridge.friendlyName = "Silicon Labs CP2102 USB to UART Bridge Controller (ttyUSB0)";
    bridge.description = "CP2102 USB to UART Bridge Controller";
    bridge.hasLocation = true;
    PortInterfaceInfo second = bridge;
    second.devicePath = "/dev/ttyUSB1";
    second.portName = "ttyUSB1";
    second.friendlyName = "Silicon Labs CP2104 USB to UART Bridge Controller (ttyUSB1)";
    rig.ports.listing.ports = {bridge, second};

    std::unique_ptr<ConnectDialog> dialog = Open();
    ASSERT_EQ(dialog->SerialPortList()->count(), 2);
    EXPECT_EQ(dialog->SerialPortList()->currentText(), QStringLiteral("ttyUSB0"));
    EXPECT_EQ(Settings().serialPortName, "ttyUSB0");
    dialog->SerialPortList()->setCurrentIndex(1);
    EXPECT_EQ(Settings().serialPortName, "ttyUSB1");
}

}  // namespace
