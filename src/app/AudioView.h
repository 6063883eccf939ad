// SPDX-License-Identifier: GPL-3.0-or-later
// The main view: the page buttons and the four pages, the mode and feedback
// buttons, the preset, file, setup and help buttons, the connection
// indicators and the volume strip, over the device stack (engine, transfers,
// links) it owns. It turns the engine's events into program loads and page
// refreshes, and offers other parts the page, link and refresh operations.
//
// The constraint: the engine's events arrive posted to the UI thread; the
// program is changed under the queue lock, because the USB worker scans it
// for changes while holding that lock.
#pragma once

#include <QKeySequence>
#include <QWidget>
#include <functional>
#include <memory>

#include "app/AppState.h"
#include "app/DeviceStack.h"
#include "app/EditHistory.h"
#include "app/ExportCommands.h"
#include "app/HelpFile.h"
#include "app/ProgramFileCommands.h"
#include "app/QtTranslations.h"
#include "app/TransferFollowUps.h"
#include "app/UnsavedWork.h"
#include "app/pages/PageServices.h"
#include "app/pages/PageSet.h"
#include "protocol/DeviceTransfers.h"
#include "protocol/ProtocolEvents.h"

class CAudioDoc;
class ConnectDialog;
class CompareControl;
class ConnectionIndicators;
class HidBackend;
class LinkSettingsMemory;
class MessageSink;
class ModeButtons;
class PageButtons;
class PortInfoSource;
class PresetStore;
class ProgressWindow;
class QDialog;
class QPushButton;
class QScrollArea;
class QStackedWidget;
class SystemData;
class VolumeStrip;

// The application-wide values and the outside world the view works with.
struct ViewServices {
    AppState& state;
    CAudioDoc& document;
    PresetStore& presets;
    SystemData& system;
    HidBackend& hidBackend;
    PortInfoSource& serialPorts;
    MessageSink& messages;
};

class CAudioView : public QWidget, public ProtocolEvents, public PageServices {
    Q_OBJECT
  public:
    explicit CAudioView(ViewServices services, QWidget* parent = nullptr);
    ~CAudioView() override;

    // Runs the Connect dialog; true when it was closed with OK.
    using ConnectDialogRunner = std::function<bool(ConnectDialog& dialog)>;
    void SetConnectDialogRunner(ConnectDialogRunner runner) {
        runConnectDialog_ = std::move(runner);
    }
    void SetFileChooser(ProgramFileCommands::PathChooser chooser);
    void SetDocumentOpener(DocumentOpener opener) { openDocument_ = std::move(opener); }
    void SetHelpFilePaths(HelpFilePaths paths) { helpPaths_ = std::move(paths); }
    const HelpFilePaths& GetHelpFilePaths() const { return helpPaths_; }
    // Runs a modal dialog (preset groups, setup); tests replace the modal loop.
    using ModalDialogRunner = std::function<void(QDialog& dialog)>;
    void SetModalDialogRunner(ModalDialogRunner runner) { runModalDialog_ = std::move(runner); }

    void SelectPage(int page) override;
    void ShowOutputSection(int page, OutputSection section) override;
    // The page buttons: output pages are refused in automatic mode.
    void PressPageButton(int page);
    void RefreshPages();
    void RefreshModeButtons();

    void ToggleConnection();
    // Opens the link `settings` name at once, without the Connect dialog
    // (the editor's --connect); does nothing while connected.
    void ConnectTo(const ConnectionSettings& settings);
    // Where the Connect dialog's choice is kept between runs: recalled now,
    // remembered whenever the dialog closes with a link chosen. None in tests
    // unless they hand one in.
    void SetLinkSettingsMemory(LinkSettingsMemory* memory);
    // What a queued transfer asks to be shown now (the progress window), and
    // what the view does once it has ended.
    void StartTransfer(const TransferStart& start, TransferFollowUp followUp);
    // The file buttons; opening asks first when the program has unsaved changes.
    void OpenProgramFile();
    bool SaveProgramFile();
    // Closing the window over unsaved changes, or over a compare side that
    // holds another program, asks first; false: stay open.
    bool AskBeforeClosing();
    UnsavedWork& Unsaved() { return *unsaved_; }
    void OpenHelp();
    void AdvanceSourceMode();
    void AdvanceFeedbackMode();
    void OpenPresetGroups(int mode);
    void OpenSetup();
    // The room EQ dialog (Tools menu); the pages show what it applied.
    void OpenRoomEq();

    // What the modal dialogs ask of the view.
    Language GetLanguage() const override { return services_.state.language; }
    void SetLanguage(Language language) override;
    bool IsConnected() const override;
    void ShowMessage(const QString& text) override;
    PresetStore& Presets() override { return services_.presets; }
    SystemData& System() override { return services_.system; }
    void EditProgram(const std::function<void(CAudio_Data& program)>& edit) override;
    bool RecallPreset(int slot, SuccessMessage success = {}) override;
    void StoreProgramAs(int slot, const std::string& gbkName, SuccessMessage success) override;
    // Stores into `slot` under the name the preset store holds for it.
    void StoreProgram(int slot);
    void WriteSystemItems(const std::vector<int>& items, SuccessMessage success) override;
    // Queues the item's write (nothing while not connected); writing the
    // operating mode while an output page shows returns to the main page.
    void WriteSystemItem(int item) override;
    void LinkOutputs(int sourceGroup, int targetOutput) override;
    void RefreshOutputLinks() override;
    void RefreshVolumes() override;

    // What the pages ask of the view besides.
    bool ReadEffectGroup(int group) override;
    bool RecallScene(int slot) override;
    CSendDataQueue& Queue() override;

    // Undo and redo of the user's edits (the Edit menu).
    EditHistory& History() { return *history_; }
    void Undo();
    void Redo();

    DeviceStack& Device() { return device_; }
    CAudio_Data& Program();
    const AppState& State() const { return services_.state; }
    MessageSink& Messages() { return services_.messages; }
    ProgramFileCommands& FileCommands() { return *fileCommands_; }
    ExportCommands& Exports() { return *exports_; }
    Page* PageWidget(PageSlot slot) const { return pages_.at(static_cast<size_t>(slot)); }
    Page* CurrentPageWidget() const;
    // The scroll area a page stands in; it scrolls only in a window smaller
    // than the page needs.
    QScrollArea* PageScroller(Page* page) const;
    PageButtons* PageButtonRow() const { return pageButtons_; }
    ModeButtons* Modes() const { return modeButtons_; }
    VolumeStrip* Volumes() const { return volumes_; }
    ConnectionIndicators* Indicators() const { return indicators_; }
    CompareControl* Compare() const { return compare_; }
    ProgressWindow* Progress() const { return progress_; }
    QPushButton* FileOpenButton() const { return openFileButton_; }
    QPushButton* FileSaveButton() const { return saveFileButton_; }
    QPushButton* HelpButton() const { return helpButton_; }
    QPushButton* PresetGroupButton(int mode) const {
        return mode == 0 ? callPresetButton_ : savePresetButton_;
    }
    QPushButton* SetupButton() const { return setupButton_; }

    // Engine events, on the UI thread.
    void OnProgramReceived() override;
    void OnSystemDataRead() override;
    void OnEffectRecordReceived() override;
    void OnReadTransferFinished() override;
    void OnUsbGaveUp() override;
    void OnRequestEnded(TransferTicket ticket, RequestOutcome outcome) override;

  signals:
    // The output link groups changed (a program was loaded or outputs linked).
    void OutputLinksChanged();
    // The interface language changed; the window puts up that language's menu bar.
    void LanguageChanged(Language language);

  protected:
    // Tab goes through the controls as they stand on the screen: the top
    // row, the page buttons, the page row by row, the volume strip last.
    bool focusNextPrevChild(bool next) override;
    // Enter presses the focused button, as Space does.
    void keyPressEvent(QKeyEvent* event) override;

  private:
    struct CommandButton {
        QPushButton* button;
        BilingualText text;
        QKeySequence keys;
    };

    void BuildLayout();
    void WireDevice();
    void Relabel();
    void ShowMessage(const BilingualText& text);
    void ShowConnectionState();
    void FinishTransfer(TransferTicket ticket, RequestOutcome outcome);
    // Offline edits and connecting: false when the user chose to stay offline.
    bool ChooseInitialRead();
    ProgramFileCommands::Services FileServices();
    QPushButton* AddCommandButton(const BilingualText& text, const QKeySequence& keys,
                                  const std::function<void()>& action);
    void BindKeys(const QKeySequence& keys, const std::function<void()>& action);
    void BindPageKeys();
    // Drags on the graphs and sliders of the pages, and a held spin arrow,
    // are one step each.
    void WatchGestures();
    void ProgramFileLoaded();

    ViewServices services_;
    QtTranslations qtTranslations_;
    DeviceStack device_;
    HelpFilePaths helpPaths_;
    DocumentOpener openDocument_;
    ConnectDialogRunner runConnectDialog_;
    LinkSettingsMemory* linkMemory_ = nullptr;
    ModalDialogRunner runModalDialog_;
    std::unique_ptr<ProgramFileCommands> fileCommands_;
    std::unique_ptr<UnsavedWork> unsaved_;
    TransferFollowUps followUps_;
    EditHistory* history_ = nullptr;
    std::unique_ptr<ExportCommands> exports_;

    PageButtons* pageButtons_ = nullptr;
    ConnectionIndicators* indicators_ = nullptr;
    CompareControl* compare_ = nullptr;
    ModeButtons* modeButtons_ = nullptr;
    VolumeStrip* volumes_ = nullptr;
    QStackedWidget* pageStack_ = nullptr;
    PageSet pages_{};
    ProgressWindow* progress_ = nullptr;
    QPushButton* openFileButton_ = nullptr;
    QPushButton* saveFileButton_ = nullptr;
    QPushButton* helpButton_ = nullptr;
    QPushButton* callPresetButton_ = nullptr;
    QPushButton* savePresetButton_ = nullptr;
    QPushButton* setupButton_ = nullptr;
    std::vector<CommandButton> commandButtons_;
};
