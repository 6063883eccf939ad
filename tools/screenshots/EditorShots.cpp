// SPDX-License-Identifier: GPL-3.0-or-later
#include "EditorShots.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <array>

#include "app/AppState.h"
#include "app/AudioDoc.h"
#include "app/AudioView.h"
#include "app/CompareControl.h"
#include "app/MainWindow.h"
#include "app/MessageSink.h"
#include "app/dialogs/AboutBox.h"
#include "app/dialogs/ConnectDialog.h"
#include "app/dialogs/PresetGroupDialog.h"
#include "app/dialogs/RoomEqDialog.h"
#include "app/dialogs/SetupDialog.h"
#include "app/pages/EqBandTable.h"
#include "app/pages/EqBandTableRow.h"
#include "app/pages/OutputEqSection.h"
#include "app/pages/OutputPage.h"
#include "app/widgets/NumEdit.h"
#include "core/DemoContents.h"
#include "core/SimulatedDevice.h"
#include "links/HidDevice.h"
#include "links/SerialPortRecord.h"
#include "model/PresetStore.h"
#include "model/SystemData.h"
#include "protocol/ReceivedProgram.h"

namespace {
class NoHidDevices : public HidBackend {
  public:
    std::vector<HidDeviceInfo> Enumerate() override { return {}; }
    std::unique_ptr<HidConnection> Open(const std::string&) override { return nullptr; }
};

class NoSerialPorts : public PortInfoSource {
  public:
    PortListing List() override { return {}; }
};

class DroppedMessages : public MessageSink {
  public:
    void Show(const QString&) override {}
};

constexpr std::array<const char*, kPageCount> kPageStems = {"00-main",
                                                            "01-music-eq",
                                                            "02-effect",
                                                            "03-mic-eq",
                                                            "04-out1-main-left",
                                                            "05-out2-main-right",
                                                            "06-out3-centre",
                                                            "07-out4-sub",
                                                            "08-out5-surround-left",
                                                            "09-out6-surround-right"};

void Settle() {
    for (int pass = 0; pass < 3; ++pass) {
        QApplication::processEvents();
    }
}

// The dialog at the size it opens at, centred over the window's picture.
QImage OverWindow(MainWindow& window, QDialog& dialog) {
    dialog.adjustSize();
    dialog.show();
    Settle();
    QImage picture = window.grab().toImage();
    const QImage front = dialog.grab().toImage();
    QPainter painter(&picture);
    // The window behind is dimmed so that the dialog stands out as it would on screen.
    painter.fillRect(picture.rect(), QColor(0, 0, 0, 90));
    const QPoint at((picture.width() - front.width()) / 2, (picture.height() - front.height()) / 2);
    painter.setPen(QColor(60, 60, 60));
    painter.drawRect(QRect(at, front.size()).adjusted(-1, -1, 0, 0));
    painter.drawImage(at, front);
    painter.end();
    dialog.hide();
    return picture;
}

// The menu bar's menu `index` open under its title, as a click leaves it.
QImage WithMenuOpen(MainWindow& window, int index) {
    QMenuBar* bar = window.menuBar();
    QAction* title = bar->actions().at(index);
    QMenu* menu = title->menu();
    const QPoint under = bar->actionGeometry(title).bottomLeft();
    menu->popup(bar->mapToGlobal(under));
    Settle();
    QImage picture = window.grab().toImage();
    QPainter painter(&picture);
    painter.drawImage(bar->mapTo(&window, under), menu->grab().toImage());
    painter.end();
    menu->hide();
    Settle();
    return picture;
}
}  // namespace

struct EditorShots::Editor {
    Editor() : window(ViewServices{state, document, presets, system, hid, ports, messages}) {}

    devsim::SimulatedDevice device;
    AppState state;
    SystemData system;
    PresetStore presets;
    CAudioDoc document;
    NoHidDevices hid;
    NoSerialPorts ports;
    DroppedMessages messages;
    MainWindow window;
};

EditorShots::EditorShots() : editor_(std::make_unique<Editor>()) {
    // The demo's program: names in both languages and volumes a device can hold.
    devsim::LoadDemoContents(editor_->device);
    const devsim::SimulatedDevice& device = editor_->device;
    ProgramBlock block{};
    const devsim::ProgramImage image = device.CurrentImage();
    const devsim::ProgramName name = device.Name(0);
    std::copy(image.begin(), image.end(), block.begin());
    std::copy(name.begin(), name.end(), block.begin() + static_cast<long>(image.size()));
    ForceFixedFilterFields(block);
    CAudio_Data& program = editor_->document.Program();
    program.LoadBlock(block);
    program.ResetOutputLinks();
    const devsim::SystemBytes bytes = device.GetSystemBytes();
    for (size_t index = 0; index < bytes.size(); ++index) {
        editor_->system.SetByte(static_cast<int>(index), bytes[index]);
    }
    for (int slot = 0; slot <= devsim::kPresetCount; ++slot) {
        const devsim::ProgramName slotName = device.Name(slot);
        editor_->presets.StoreNameReply(slot, slotName);
    }
    CAudioView& view = editor_->window.View();
    view.OnSystemDataRead();
    view.RefreshOutputLinks();
    view.RefreshPages();
    // The demo's program is where the editor starts, as after reading a device.
    view.History().Reset();
}

EditorShots::~EditorShots() = default;

void EditorShots::Render(QSize windowSize, Language language, const ShotSink& save) {
    MainWindow& window = editor_->window;
    window.SwitchLanguage(language);
    window.resize(windowSize);
    window.show();
    Settle();
    RenderPages(save);
    RenderDialogs(save);
    RenderMenus(save);
    window.View().SelectPage(0);
}

void EditorShots::RenderPages(const ShotSink& save) {
    MainWindow& window = editor_->window;
    for (int page = 0; page < kPageCount; ++page) {
        window.View().SelectPage(page);
        window.View().RefreshPages();
        Settle();
        save(QString::fromLatin1(kPageStems.at(static_cast<size_t>(page))),
             window.grab().toImage());
    }
    window.View().SelectPage(0);
    Settle();
}

void EditorShots::RenderDialogs(const ShotSink& save) {
    MainWindow& window = editor_->window;
    CAudioView& view = window.View();
    const Language language = view.GetLanguage();
    {
        ConnectDialog dialog(view.Device().Manager(), editor_->ports, language, &window);
        save(QStringLiteral("10-connect"), OverWindow(window, dialog));
    }
    {
        PresetGroupDialog dialog(PresetGroupMode::AllGroups, view, &window);
        save(QStringLiteral("11-call-preset"), OverWindow(window, dialog));
    }
    {
        PresetGroupDialog dialog(PresetGroupMode::UserGroups, view, &window);
        save(QStringLiteral("12-save-preset"), OverWindow(window, dialog));
    }
    {
        SetupDialog dialog(view, &window);
        save(QStringLiteral("13-setup"), OverWindow(window, dialog));
    }
    {
        AboutBox dialog(language, &window);
        save(QStringLiteral("14-about"), OverWindow(window, dialog));
    }
    {
        // Three seats and a microphone calibration, fitted onto the first output.
        RoomEqDialog dialog(view, &window);
        const QString rooms = QStringLiteral(SONAVEL_ROOM_FIXTURES "/");
        dialog.AddMeasurementFiles({rooms + QStringLiteral("room-rew.txt"),
                                    rooms + QStringLiteral("room-position2.csv"),
                                    rooms + QStringLiteral("room-position3.txt")});
        dialog.SetCalibrationFile(rooms + QStringLiteral("mic.cal"));
        dialog.ChannelBox()->setCurrentIndex(3);
        dialog.StartFit();
        while (dialog.IsFitting()) {
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        }
        save(QStringLiteral("15-room-eq"), OverWindow(window, dialog));
    }
}

void EditorShots::RenderMenus(const ShotSink& save) {
    MainWindow& window = editor_->window;
    CAudioView& view = window.View();
    view.SelectPage(kFirstOutputPage);
    Settle();
    save(QStringLiteral("15-file-menu"), WithMenuOpen(window, 0));
    // One edit typed as a user types it, so that the Edit menu names a step;
    // it is taken back after.
    auto* output = static_cast<OutputPage*>(view.CurrentPageWidget());
    CNumEdit& gain = output->Equaliser().Table().Row(4).Gain();
    gain.selectAll();
    gain.insert(QStringLiteral("3"));
    gain.CommitTypedText();
    Settle();
    save(QStringLiteral("16-edit-menu"), WithMenuOpen(window, 1));
    view.Undo();
    // Side B live, after "copy A to B": the compare buttons say so.
    view.History().CopyLiveToOther();
    view.History().SwitchSides();
    Settle();
    save(QStringLiteral("17-compare-b-live"), window.grab().toImage());
    view.History().SwitchSides();
    view.SelectPage(0);
    Settle();
}
