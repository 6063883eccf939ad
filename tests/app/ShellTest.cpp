// SPDX-License-Identifier: GPL-3.0-or-later
// The main window and the view's life with a device: title, size, menus in
// both languages, and connecting to the simulated device on 127.0.0.1 through
// the Connect dialog, with the initial read, the progress window and the
// notifications that follow.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QScreen>
#include <QSlider>
#include <QTcpServer>

#include "ShellTestRig.h"
#include "app/ConnectionIndicators.h"
#include "app/ModeButtons.h"
#include "app/VolumeStrip.h"
#include "app/dialogs/AboutBox.h"
#include "app/dialogs/ProgressWindow.h"
#include "app/pages/MainPage.h"
#include "links/UsbDeviceIdentity.h"
#include "transport/HidBusDevice.h"

namespace {

constexpr uint8_t kWrite = 0xA1;
constexpr uint8_t kRead = 0xA2;
constexpr uint8_t kProgramRead = 0xA8;
// Places of the menus on the bar.
constexpr int kOnLine = 2;
constexpr int kLanguage = 3;
constexpr int kTools = 4;
constexpr int kHelp = 5;

// The titles as read, without the Alt letter's marks ("&OnLine", "连接(&C)").
QStringList MenuTitles(QMenuBar* bar) {
    static const QRegularExpression kAltLetter(QStringLiteral("\\(&.\\)|&"));
    QStringList titles;
    for (QAction* action : bar->actions()) {
        titles << action->text().remove(kAltLetter);
    }
    return titles;
}

QAction* MenuItem(QMenuBar* bar, int menu) {
    return bar->actions().at(menu)->menu()->actions().at(0);
}

TEST(ShellWindowTest, StartsInChineseWithTitleAndSize) {
    ShellTestRig rig;
    EXPECT_EQ(rig.window.windowTitle(), QStringLiteral("Sonavel V6.3.2"));
    // Its usual size, unless the screen's free area is smaller.
    const QSize available = rig.window.screen()->availableGeometry().size();
    EXPECT_EQ(rig.window.geometry().size(), QSize(1013, 703).boundedTo(available));
    EXPECT_EQ(rig.state.language, Language::Chinese);
    EXPECT_EQ(rig.state.currentPage, 0);
    EXPECT_EQ(MenuTitles(rig.window.menuBar()),
              (QStringList{"文件", "编辑", "连接", "语言", "工具", "帮助"}));
    EXPECT_EQ(MenuItem(rig.window.menuBar(), kOnLine)->text(), QStringLiteral("联机或断开"));
    EXPECT_EQ(MenuItem(rig.window.menuBar(), kLanguage)->text(), QStringLiteral("English"));
    EXPECT_EQ(MenuItem(rig.window.menuBar(), kTools)->text(),
              QStringLiteral("根据测量自动均衡..."));
    EXPECT_EQ(MenuItem(rig.window.menuBar(), kHelp)->text(), QStringLiteral("关于"));
    EXPECT_FALSE(rig.view.IsConnected());
}

TEST(ShellWindowTest, LanguageSwitchReplacesTheMenuBar) {
    ShellTestRig rig;
    MenuItem(rig.window.menuBar(), kLanguage)->trigger();
    EXPECT_EQ(rig.state.language, Language::English);
    EXPECT_EQ(MenuTitles(rig.window.menuBar()),
              (QStringList{"File", "Edit", "OnLine", "Language", "Tools", "Help"}));
    // "&&" is how a menu shows one "&".
    EXPECT_EQ(MenuItem(rig.window.menuBar(), kOnLine)->text(),
              QStringLiteral("OnLine&&Disconnect"));
    EXPECT_EQ(MenuItem(rig.window.menuBar(), kLanguage)->text(), QStringLiteral("Chinese"));
    EXPECT_EQ(MenuItem(rig.window.menuBar(), kHelp)->text(), QStringLiteral("About"));
    EXPECT_EQ(qobject_cast<MainPage*>(rig.view.PageWidget(PageSlot::Main))->Button(5430)->text(),
              QStringLiteral("Effect 1"));

    MenuItem(rig.window.menuBar(), kLanguage)->trigger();
    EXPECT_EQ(rig.state.language, Language::Chinese);
    EXPECT_EQ(MenuItem(rig.window.menuBar(), kLanguage)->text(), QStringLiteral("English"));
}

TEST(ShellWindowTest, LanguageSetThroughTheViewAlsoSwapsTheMenuBar) {
    ShellTestRig rig;
    DialogServices& services = rig.view;
    services.SetLanguage(Language::English);
    EXPECT_EQ(MenuTitles(rig.window.menuBar()),
              (QStringList{"File", "Edit", "OnLine", "Language", "Tools", "Help"}));
}

TEST(ShellWindowTest, AboutBoxShowsTheTitleInTheLanguage) {
    WidgetTestApp();
    for (const auto& [language, caption] : {std::pair{Language::English, QStringLiteral("About")},
                                            std::pair{Language::Chinese, QStringLiteral("关于")}}) {
        AboutBox box(language);
        EXPECT_EQ(box.windowTitle(), caption);
        QStringList texts;
        for (QLabel* label : box.findChildren<QLabel*>()) {
            texts << label->text();
        }
        EXPECT_TRUE(texts.contains(QStringLiteral("Sonavel V6.3.2")));
        QPushButton* ok = box.findChild<QPushButton*>();
        ASSERT_NE(ok, nullptr);
        box.show();
        ok->click();
        EXPECT_EQ(box.result(), QDialog::Accepted);
    }
}

TEST(ShellWindowTest, AboutItemRunsTheAboutBox) {
    ShellTestRig rig;
    int shown = 0;
    rig.window.SetAboutRunner([&shown] { ++shown; });
    MenuItem(rig.window.menuBar(), kHelp)->trigger();
    EXPECT_EQ(shown, 1);
}

TEST(ShellConnectionTest, NetworkConnectReadsTheDeviceAndShowsProgress) {
    ShellTestRig rig;
    devsim::SystemBytes deviceSystem = rig.device.GetSystemBytes();
    deviceSystem[6] = 2;  // BGM
    deviceSystem[10] = 40;
    deviceSystem[11] = 17;  // microphone volume
    rig.device.SetSystemBytes(deviceSystem);
    auto* page = qobject_cast<MainPage*>(rig.view.PageWidget(PageSlot::Main));
    ASSERT_NE(page, nullptr);

    ASSERT_TRUE(rig.ConnectOverNetwork());
    EXPECT_EQ(rig.view.Device().Manager().Settings().deviceAddress, "127.0.0.1");
    EXPECT_TRUE(rig.view.Indicators()->ShowsConnected());
    EXPECT_TRUE(rig.view.Progress()->isVisible());
    EXPECT_EQ(rig.view.Progress()->pos(), QPoint(300, 200));

    ASSERT_TRUE(RunUntil([&] { return !rig.view.Progress()->isVisible(); }));
    // 21 names, system items 0, 1, 2, 3, 6, 7, 8, 9, 4, then the program: 31 requests in order.
    std::vector<std::vector<uint8_t>> reads = rig.Requests(kRead);
    const std::vector<std::vector<uint8_t>> programReads = rig.Requests(kProgramRead);
    ASSERT_EQ(reads.size(), 30u);
    ASSERT_EQ(programReads.size(), 1u);
    for (int slot = 0; slot < 21; ++slot) {
        EXPECT_EQ(reads[slot][6], 5) << "request " << slot;
        EXPECT_EQ(reads[slot][7], slot) << "request " << slot;
    }
    const int items[] = {0, 1, 2, 3, 6, 7, 8, 9, 4};
    for (int index = 0; index < 9; ++index) {
        EXPECT_EQ(reads[21 + index][6], 6);
        EXPECT_EQ(reads[21 + index][9], items[index]) << "system read " << index;
    }
    EXPECT_TRUE(rig.messages.shown.empty());
    EXPECT_EQ(rig.view.Modes()->ModeButton()->text(), QStringLiteral("BGM"));
    EXPECT_EQ(rig.view.Volumes()->Slider(VolumeChannel::Microphone)->value(), 17);
    EXPECT_EQ(page->Program(), &rig.document.Program());

    // Toggling while connected disconnects at once, without the dialog.
    rig.view.ToggleConnection();
    EXPECT_FALSE(rig.view.IsConnected());
    EXPECT_FALSE(rig.view.Indicators()->ShowsConnected());
    EXPECT_EQ(rig.dialogsRun, 1);
}

TEST(ShellConnectionTest, ConnectedModeAndVolumePressesWriteTheirItems) {
    ShellTestRig rig;
    ASSERT_TRUE(rig.ConnectOverNetwork());
    ASSERT_TRUE(RunUntil([&] { return !rig.view.Progress()->isVisible(); }));
    rig.device.ClearLog();
    const uint8_t firstMode = rig.system.Byte(SystemByte::kSourceMode);
    for (int press = 0; press < 4; ++press) {
        QTest::mouseClick(rig.view.Modes()->ModeButton(), Qt::LeftButton);
    }
    rig.system.SetMaximumVolume(VolumeChannel::Microphone, 20);
    rig.system.SetCurrentVolume(VolumeChannel::Microphone, 20);
    QTest::mouseClick(rig.view.Volumes()->PlusButton(VolumeChannel::Microphone), Qt::LeftButton);
    EXPECT_EQ(rig.system.CurrentVolume(VolumeChannel::Microphone), 20);

    const auto systemWrites = [&] {
        std::vector<std::vector<uint8_t>> writes;
        for (std::vector<uint8_t>& frame : rig.Requests(kWrite)) {
            if (frame[6] == 6) {
                writes.push_back(std::move(frame));
            }
        }
        return writes;
    };
    // Presses quicker than the link take the place of the mode write still
    // waiting: the device gets at least one, and the last carries the last press.
    const auto writesOf = [&](uint8_t item) {
        std::vector<std::vector<uint8_t>> of;
        for (std::vector<uint8_t>& frame : systemWrites()) {
            if (frame[9] == item) {
                of.push_back(std::move(frame));
            }
        }
        return of;
    };
    ASSERT_TRUE(RunUntil([&] {
        const auto modeWrites = writesOf(6);
        return !writesOf(8).empty() && !modeWrites.empty() &&
               modeWrites.back()[12] == (firstMode + 4) % 4;
    }));
    EXPECT_LE(writesOf(6).size(), 4u);
}

TEST(ShellConnectionTest, ConnectedTransfersShowProgressAndTheDownloadNotice) {
    ShellTestRig rig;
    ASSERT_TRUE(rig.ConnectOverNetwork());
    ASSERT_TRUE(RunUntil([&] { return !rig.view.Progress()->isVisible(); }));
    rig.view.RecallPreset(3);
    EXPECT_TRUE(rig.view.Progress()->isVisible());
    ASSERT_TRUE(RunUntil([&] { return !rig.view.Progress()->isVisible(); }));
    EXPECT_EQ(rig.Requests(0xA6).size(), 1u);

    rig.view.StoreProgram(0);
    EXPECT_TRUE(rig.messages.shown.empty()) << "not before the device has answered";
    ASSERT_TRUE(RunUntil([&] { return !rig.messages.shown.empty(); }));
    EXPECT_EQ(rig.messages.shown[0], QStringLiteral("您已把数据下载到机器!"));

    // Linking sends the follower's whole record.
    rig.view.LinkOutputs(4, 5);
    EXPECT_TRUE(RunUntil([&] { return rig.Requests(0xA3).size() == 1; }));
}

TEST(ShellConnectionTest, RefusedNetworkConnectShowsOneMessage) {
    ShellTestRig rig;
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
    const quint16 closedPort = probe.serverPort();
    probe.close();
    rig.view.SetConnectDialogRunner([closedPort](ConnectDialog& dialog) {
        ShellTestRig::TypeInto(dialog.AddressField(), QStringLiteral("127.0.0.1"));
        ShellTestRig::TypeInto(dialog.PortField(), QString::number(closedPort));
        QTest::mouseClick(dialog.NetworkButton(), Qt::LeftButton);
        return dialog.result() == QDialog::Accepted;
    });
    rig.view.ToggleConnection();
    ASSERT_TRUE(RunUntil([&] { return !rig.messages.shown.empty(); }, 3000));
    RunUntil([] { return false; }, 100);
    ASSERT_EQ(rig.messages.shown.size(), 1u);
    EXPECT_EQ(rig.messages.shown[0], QStringLiteral("不能打开 网络 连接!"));
    EXPECT_EQ(rig.messages.failures.size(), 1u) << "shown with the stop icon";
    EXPECT_FALSE(rig.view.IsConnected());
}

TEST(ShellConnectionTest, EnterAtStartUpWithNoPortAsksForOneAndOpensNothing) {
    ShellTestRig rig;
    bool accepted = true;
    rig.view.SetConnectDialogRunner([&accepted](ConnectDialog& dialog) {
        dialog.show();
        QTest::keyClick(&dialog, Qt::Key_Return);
        accepted = dialog.result() == QDialog::Accepted;
        EXPECT_TRUE(dialog.ProblemLabel()->isVisible()) << "the dialog says why it stays";
        return accepted;
    });
    rig.view.ToggleConnection();
    EXPECT_FALSE(accepted);
    EXPECT_EQ(rig.view.Device().Manager().Settings().serialPortName, "");
    EXPECT_FALSE(rig.view.IsConnected());
    EXPECT_TRUE(rig.messages.shown.empty()) << "no serial port \"NULL\" was opened";
}

TEST(ShellConnectionTest, UsbWithoutADeviceShowsTheUsbMessage) {
    ShellTestRig rig;
    rig.view.SetConnectDialogRunner([](ConnectDialog& dialog) {
        QTest::mouseClick(dialog.UsbButton(), Qt::LeftButton);
        return dialog.result() == QDialog::Accepted;
    });
    rig.view.ToggleConnection();
    ASSERT_EQ(rig.messages.shown.size(), 1u);
    EXPECT_EQ(rig.messages.shown[0], QStringLiteral("不能打开 USB 连接!"));
    EXPECT_EQ(rig.messages.failures, rig.messages.shown) << "with the stop icon";
    EXPECT_FALSE(rig.view.IsConnected());
}

TEST(ShellConnectionTest, AUsbDeviceThatCannotBeOpenedNamesThePermissionFix) {
    ShellTestRig rig;
    rig.window.SwitchLanguage(Language::English);
    auto device = std::make_shared<HidSimulatedDevice>(
        HidDeviceInfo{"/dev/hidraw5", kSonavelVendorId, kSonavelProductId, kSonavelReleaseNumber},
        std::make_shared<devsim::HidBusDevice>(rig.device));
    device->FailNextOpens(1);
    rig.hidBus.Attach(device);
    rig.view.SetConnectDialogRunner([](ConnectDialog& dialog) {
        QTest::mouseClick(dialog.UsbButton(), Qt::LeftButton);
        return dialog.result() == QDialog::Accepted;
    });
    rig.view.ToggleConnection();
    ASSERT_EQ(rig.messages.failures.size(), 1u);
    const QString& text = rig.messages.failures[0];
    EXPECT_TRUE(text.startsWith(QStringLiteral("Unable to Open USB Link!"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("udev rule"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("USB and serial permissions (Linux)")));
    EXPECT_FALSE(rig.view.IsConnected());
}

TEST(ShellConnectionTest, UsbConnectAndRemovalOfTheOpenDevice) {
    ShellTestRig rig;
    const std::string path = "/dev/hidraw3";
    rig.hidBus.Attach(std::make_shared<HidSimulatedDevice>(
        HidDeviceInfo{path, kSonavelVendorId, kSonavelProductId, kSonavelReleaseNumber},
        std::make_shared<devsim::HidBusDevice>(rig.device)));
    rig.view.Device().Usb().ScaleTimingsForTesting(20);
    rig.view.SetConnectDialogRunner([](ConnectDialog& dialog) {
        QTest::mouseClick(dialog.UsbButton(), Qt::LeftButton);
        return dialog.result() == QDialog::Accepted;
    });
    rig.view.ToggleConnection();
    ASSERT_TRUE(rig.view.IsConnected());
    EXPECT_TRUE(rig.view.Progress()->isVisible());
    ASSERT_TRUE(RunUntil([&] { return !rig.view.Progress()->isVisible(); }));
    EXPECT_EQ(rig.Requests(kRead).size(), 30u);
    EXPECT_EQ(rig.Requests(kProgramRead).size(), 1u);

    rig.view.Device().Usb().HandleDeviceRemoved(QStringLiteral("/dev/hidraw9"));
    RunUntil([] { return false; }, 50);
    EXPECT_TRUE(rig.view.IsConnected());
    rig.view.Device().Usb().HandleDeviceRemoved(QStringLiteral("/DEV/HIDRAW3"));
    ASSERT_TRUE(RunUntil([&] { return !rig.view.IsConnected(); }));
    ASSERT_EQ(rig.messages.shown.size(), 1u);
    EXPECT_EQ(rig.messages.shown[0], QStringLiteral("USB 连接已断开:处理器已被拔出!"));
    EXPECT_FALSE(rig.view.Indicators()->ShowsConnected());
}

}  // namespace
