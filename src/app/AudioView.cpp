// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AudioView.h"

#include <QAbstractSlider>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QShortcut>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "app/AudioDoc.h"
#include "app/CompareControl.h"
#include "app/ConnectionIndicators.h"
#include "app/HeldButtonGestures.h"
#include "app/KeyboardShortcuts.h"
#include "app/LinkSettingsMemory.h"
#include "app/MessageSink.h"
#include "app/ModeButtons.h"
#include "app/OutputLinking.h"
#include "app/PageButtons.h"
#include "app/ReadingOrder.h"
#include "app/ShellTexts.h"
#include "app/TransferTexts.h"
#include "app/VolumeStrip.h"
#include "app/dialogs/ConnectDialog.h"
#include "app/dialogs/PresetGroupDialog.h"
#include "app/dialogs/ProgressWindow.h"
#include "app/dialogs/RoomEqDialog.h"
#include "app/dialogs/SetupDialog.h"
#include "app/graph/FStatic.h"
#include "app/pages/OutputPage.h"
#include "app/widgets/FocusedButton.h"
#include "controls/KitArrowButton.h"
#include "model/ChannelIndex.h"
#include "model/PresetStore.h"
#include "model/SystemData.h"
#include "protocol/ProgramMessages.h"
#include "protocol/ReceivedDataLoading.h"

namespace {
const QColor kBackground(229, 236, 245);
}  // namespace

CAudioView::CAudioView(ViewServices services, QWidget* parent)
    : QWidget(parent),
      services_(services),
      device_(services.document.Program(), services.presets, services.system, services.hidBackend,
              *this),
      helpPaths_(FindHelpFiles(QCoreApplication::applicationDirPath())),
      openDocument_(DesktopDocumentOpener()),
      runConnectDialog_([](ConnectDialog& dialog) { return dialog.exec() == QDialog::Accepted; }),
      runModalDialog_([](QDialog& dialog) { dialog.exec(); }) {
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, kBackground);
    setPalette(colours);

    {
        const auto guard = device_.Engine().Queue().Lock();
        Program().ResetOutputLinks();
    }
    progress_ = new ProgressWindow(this);
    history_ = new EditHistory(Program(), device_.Engine().Queue(), this);
    connect(history_, &EditHistory::ProgramRestored, this, [this] {
        emit OutputLinksChanged();
        RefreshPages();
    });
    fileCommands_ = std::make_unique<ProgramFileCommands>(
        FileServices(), ProgramFileCommands::FileDialogChooser(this, services_.state));
    BuildLayout();
    exports_ = std::make_unique<ExportCommands>(
        ExportCommands::Services{Program(), device_.Engine().Queue(), services_.presets,
                                 services_.messages, services_.state,
                                 [this] { return CurrentPageWidget()->findChild<CFStatic*>(); }},
        ExportCommands::FileDialogChooser(this, services_.state));
    WireDevice();
    WatchGestures();

    services_.state.currentPage = -1;
    SelectPage(0);
    Relabel();
    RefreshPages();
    RefreshVolumes();
    ShowConnectionState();
    // Last, so the program as the view first shows it counts as unchanged.
    unsaved_ = std::make_unique<UnsavedWork>(
        UnsavedWork::Services{services_.document, device_.Engine().Queue(), services_.messages,
                              services_.state, [this] { return SaveProgramFile(); }},
        this);
}

CAudioView::~CAudioView() = default;

ProgramFileCommands::Services CAudioView::FileServices() {
    return ProgramFileCommands::Services{
        Program(),
        device_.Engine().Queue(),
        device_.Transfers(),
        services_.messages,
        services_.state,
        [this] { ProgramFileLoaded(); },
        [this](const QString& path) { unsaved_->MarkUnchanged(path); },
        [this] {
            StartTransfer(
                device_.Transfers().StoreProgram(0),
                {{TransferSubject::Kind::Download},
                 [](Language language) { return Tr(ShellText::kDownloadNotice, language); },
                 {}});
        }};
}

void CAudioView::OpenProgramFile() {
    if (unsaved_->AskBeforeReplacing(OpenFileQuestion(services_.state.language), false)) {
        fileCommands_->Load();
    }
}

bool CAudioView::SaveProgramFile() {
    return fileCommands_->Save();
}

bool CAudioView::AskBeforeClosing() {
    const Language language = services_.state.language;
    if (!unsaved_->AskBeforeReplacing(CloseQuestion(language), false)) {
        return false;
    }
    // A save keeps only the live side; the other one goes with the window.
    if (history_->OtherSideHoldsAnotherProgram()) {
        const bool otherIsB = history_->LiveSide() == CompareSide::A;
        return services_.messages.Confirm(OtherSideQuestion(otherIsB, language));
    }
    return true;
}

CAudio_Data& CAudioView::Program() {
    return services_.document.Program();
}

QPushButton* CAudioView::AddCommandButton(const BilingualText& text, const QKeySequence& keys,
                                          const std::function<void()>& action) {
    auto* button = new QPushButton(this);
    connect(button, &QPushButton::clicked, this, action);
    commandButtons_.push_back({button, text, keys});
    BindKeys(keys, action);
    return button;
}

void CAudioView::BindKeys(const QKeySequence& keys, const std::function<void()>& action) {
    // The keys work wherever the focus is in the window, a numeric field included.
    auto* shortcut = new QShortcut(keys, this);
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, this, action);
}

void CAudioView::BindPageKeys() {
    for (int page = 0; page < kPageCount; ++page) {
        BindKeys(Shortcut::ForPage(page), [this, page] { PressPageButton(page); });
    }
    BindKeys(Shortcut::NextPage(),
             [this] { PressPageButton((services_.state.currentPage + 1) % kPageCount); });
    BindKeys(Shortcut::PreviousPage(), [this] {
        PressPageButton((services_.state.currentPage + kPageCount - 1) % kPageCount);
    });
    BindKeys(Shortcut::Connection(), [this] { ToggleConnection(); });
}

void CAudioView::BuildLayout() {
    pageButtons_ = new PageButtons(this);
    indicators_ = new ConnectionIndicators(this);
    modeButtons_ = new ModeButtons(this);
    volumes_ = new VolumeStrip(
        services_.system, [this](int item) { WriteSystemItem(item); },
        [this] { return device_.Engine().Queue().Lock(); }, this);
    pageStack_ = new QStackedWidget(this);
    pages_ = CreatePages(*this, pageStack_);
    for (Page* page : pages_) {
        // Each page is shown whole whenever the window is at least as large
        // as the page needs; only a smaller window scrolls, and then each
        // page keeps its own scroll position.
        auto* scroller = new QScrollArea(pageStack_);
        scroller->setWidget(page);
        scroller->setWidgetResizable(true);
        scroller->setFrameShape(QFrame::NoFrame);
        // Tab goes to the page's controls, not to the frame around them.
        scroller->setFocusPolicy(Qt::NoFocus);
        pageStack_->addWidget(scroller);
    }

    callPresetButton_ = AddCommandButton({"Call Preset", "调用预置"}, Shortcut::CallPreset(),
                                         [this] { OpenPresetGroups(0); });
    savePresetButton_ = AddCommandButton({"Save Preset", "保存预置"}, Shortcut::SavePreset(),
                                         [this] { OpenPresetGroups(1); });
    openFileButton_ =
        AddCommandButton({"Open", "打开"}, Shortcut::OpenFile(), [this] { OpenProgramFile(); });
    saveFileButton_ =
        AddCommandButton({"Save", "保存"}, Shortcut::SaveFile(), [this] { SaveProgramFile(); });
    setupButton_ = AddCommandButton({"Setup", "设置"}, Shortcut::Setup(), [this] { OpenSetup(); });
    helpButton_ = AddCommandButton({"Help", "帮助"}, Shortcut::Help(), [this] { OpenHelp(); });
    BindPageKeys();

    auto* commandRow = new QHBoxLayout;
    commandRow->addWidget(indicators_);
    commandRow->addWidget(modeButtons_);
    for (QPushButton* button : {callPresetButton_, savePresetButton_, openFileButton_,
                                saveFileButton_, setupButton_, helpButton_}) {
        commandRow->addWidget(button);
    }
    compare_ = new CompareControl(*history_, this);
    commandRow->addWidget(compare_);
    commandRow->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(commandRow);
    layout->addWidget(pageButtons_);
    layout->addWidget(pageStack_, 1);
    layout->addWidget(volumes_);

    connect(pageButtons_, &PageButtons::PagePressed, this, &CAudioView::PressPageButton);
    connect(indicators_, &ConnectionIndicators::ConnectPressed, this,
            &CAudioView::ToggleConnection);
    connect(modeButtons_, &ModeButtons::ModePressed, this, &CAudioView::AdvanceSourceMode);
    connect(modeButtons_, &ModeButtons::FeedbackPressed, this, &CAudioView::AdvanceFeedbackMode);
}

void CAudioView::WireDevice() {
    ConnectionManager& manager = device_.Manager();
    connect(&manager, &ConnectionManager::ConnectionChanged, this,
            [this] { ShowConnectionState(); });
    connect(&manager, &ConnectionManager::FailureMessage, this, [this](BilingualText text) {
        services_.messages.ShowFailure(Tr(text, services_.state.language));
    });
    connect(&manager, &ConnectionManager::InitialReadStarted, this,
            [this](const TransferStart& start) {
                // Keeping the editor's program ends in its download, which the notice confirms.
                if (start.showDownloadNotice) {
                    StartTransfer(start, {{TransferSubject::Kind::DeviceReadKeepingProgram},
                                          [](Language language) {
                                              return Tr(ShellText::kDownloadNotice, language);
                                          },
                                          {}});
                } else {
                    StartTransfer(start, {{TransferSubject::Kind::DeviceRead}, {}, {}});
                }
            });
}

void CAudioView::SetFileChooser(ProgramFileCommands::PathChooser chooser) {
    fileCommands_ = std::make_unique<ProgramFileCommands>(FileServices(), std::move(chooser));
}

QScrollArea* CAudioView::PageScroller(Page* page) const {
    for (int index = 0; index < pageStack_->count(); ++index) {
        auto* scroller = qobject_cast<QScrollArea*>(pageStack_->widget(index));
        if (scroller != nullptr && scroller->widget() == page) {
            return scroller;
        }
    }
    return nullptr;
}

void CAudioView::ProgramFileLoaded() {
    RefreshPages();
    history_->Commit(kFileLoadStep);
}

void CAudioView::WatchGestures() {
    auto* heldButtons = new HeldButtonGestures(this);
    connect(heldButtons, &HeldButtonGestures::Started, history_, &EditHistory::BeginGesture);
    connect(heldButtons, &HeldButtonGestures::Finished, history_, &EditHistory::EndGesture);
    for (Page* page : pages_) {
        for (CFStatic* graph : page->findChildren<CFStatic*>()) {
            connect(graph, &CFStatic::DragStarted, history_, &EditHistory::BeginGesture);
            connect(graph, &CFStatic::DragFinished, history_, &EditHistory::EndGesture);
        }
        for (QAbstractSlider* slider : page->findChildren<QAbstractSlider*>()) {
            connect(slider, &QAbstractSlider::sliderPressed, history_, &EditHistory::BeginGesture);
            connect(slider, &QAbstractSlider::sliderReleased, history_, &EditHistory::EndGesture);
        }
        for (KitArrowButton* arrow : page->findChildren<KitArrowButton*>()) {
            heldButtons->Watch(arrow);
        }
    }
}

void CAudioView::Undo() {
    history_->Undo();
}

void CAudioView::Redo() {
    history_->Redo();
}

Page* CAudioView::CurrentPageWidget() const {
    return PageWidget(PageTargetOf(services_.state.currentPage).slot);
}

void CAudioView::PressPageButton(int page) {
    if (page == services_.state.currentPage) {
        pageButtons_->ShowCurrent(page);
        return;
    }
    if (IsOutputPage(page) && services_.system.Byte(SystemByte::kOperatingMode) != 0) {
        pageButtons_->ShowCurrent(services_.state.currentPage);
        ShowMessage(ShellText::kAutomaticMode);
        return;
    }
    SelectPage(page);
}

void CAudioView::SelectPage(int page) {
    AppState& state = services_.state;
    if (page == state.currentPage || page < 0 || page >= kPageCount) {
        return;
    }
    const PageTarget target = PageTargetOf(page);
    state.currentPage = page;
    state.pageChannel = target.channel;
    pageButtons_->ShowCurrent(page);
    Page* shown = PageWidget(target.slot);
    shown->ShowChannel(&Program(), target.channel);
    pageStack_->setCurrentWidget(PageScroller(shown));
}

void CAudioView::ShowOutputSection(int page, OutputSection section) {
    SelectPage(page);
    if (services_.state.currentPage == page && IsOutputPage(page)) {
        static_cast<OutputPage*>(PageWidget(PageSlot::Output))->BringSectionIntoView(section);
    }
}

void CAudioView::RefreshModeButtons() {
    {
        const auto guard = device_.Engine().Queue().Lock();
        services_.system.LimitSourceMode();
    }
    modeButtons_->Show(services_.system.Byte(SystemByte::kSourceMode),
                       Program().GetInput(InputChannel::kMicrophone).GetFeedbackMode());
}

void CAudioView::RefreshPages() {
    RefreshModeButtons();
    CurrentPageWidget()->Refresh();
}

void CAudioView::RefreshVolumes() {
    volumes_->RefreshVolumes();
}

void CAudioView::AdvanceSourceMode() {
    {
        const auto guard = device_.Engine().Queue().Lock();
        SystemData& system = services_.system;
        system.SetByte(SystemByte::kSourceMode,
                       NextSourceMode(system.Byte(SystemByte::kSourceMode)));
    }
    RefreshModeButtons();
    WriteSystemItem(SystemItem::kSourceMode);
}

void CAudioView::AdvanceFeedbackMode() {
    {
        const auto guard = device_.Engine().Queue().Lock();
        CAudio_InData& microphone = Program().GetInput(InputChannel::kMicrophone);
        microphone.SetFeedbackMode(NextFeedbackMode(microphone.GetFeedbackMode()));
    }
    RefreshModeButtons();
    history_->Commit();
}

bool CAudioView::IsConnected() const {
    return device_.Manager().IsConnected();
}

void CAudioView::WriteSystemItem(int item) {
    device_.Transfers().WriteSystemItem(item);
    if (item == SystemItem::kOperatingMode && IsOutputPage(services_.state.currentPage)) {
        SelectPage(0);
    }
}

void CAudioView::EditProgram(const std::function<void(CAudio_Data& program)>& edit) {
    {
        const auto guard = device_.Engine().Queue().Lock();
        edit(Program());
    }
    history_->Commit();
}

bool CAudioView::RecallPreset(int slot, SuccessMessage success) {
    if (!IsConnected() ||
        !unsaved_->AskBeforeReplacing(RecallQuestion(slot, services_.state.language), false)) {
        return false;
    }
    StartTransfer(device_.Transfers().RecallPreset(slot),
                  {{TransferSubject::Kind::Recall, slot}, std::move(success), {}});
    return true;
}

bool CAudioView::RecallScene(int slot) {
    if (!IsConnected() ||
        !unsaved_->AskBeforeReplacing(RecallQuestion(slot, services_.state.language), true)) {
        return false;
    }
    StartTransfer(device_.Transfers().RecallPreset(slot),
                  {{TransferSubject::Kind::Recall, slot}, {}, {}});
    return true;
}

void CAudioView::StoreProgram(int slot) {
    const TransferSubject subject{
        slot == 0 ? TransferSubject::Kind::Download : TransferSubject::Kind::Store, slot};
    SuccessMessage success;
    if (slot == 0) {
        success = [](Language language) { return Tr(ShellText::kDownloadNotice, language); };
    }
    StartTransfer(device_.Transfers().StoreProgram(slot), {subject, std::move(success), {}});
}

void CAudioView::StoreProgramAs(int slot, const std::string& gbkName, SuccessMessage success) {
    // The name becomes the slot's, and the current program's, once the processor has it.
    auto takeName = [this, slot, gbkName] {
        const auto guard = device_.Engine().Queue().Lock();
        services_.presets.SetName(0, gbkName);
        services_.presets.SetName(slot, gbkName);
    };
    StartTransfer(device_.Transfers().StoreProgramNamed(slot, gbkName),
                  {{TransferSubject::Kind::Store, slot}, std::move(success), std::move(takeName)});
}

void CAudioView::WriteSystemItems(const std::vector<int>& items, SuccessMessage success) {
    StartTransfer(device_.Transfers().WriteSystemItems(items),
                  {{TransferSubject::Kind::Volumes}, std::move(success), {}});
}

bool CAudioView::ReadEffectGroup(int group) {
    // Device groups 22, 24, 26, 28 are the buttons' groups 1..4.
    const int shown = (group - 20) / 2;
    if (!IsConnected() ||
        !unsaved_->AskBeforeReplacing(EffectGroupQuestion(shown, services_.state.language), true)) {
        return false;
    }
    StartTransfer(device_.Transfers().ReadEffectGroup(group),
                  {{TransferSubject::Kind::EffectGroup, shown}, {}, {}});
    return true;
}

CSendDataQueue& CAudioView::Queue() {
    return device_.Engine().Queue();
}

void CAudioView::RefreshOutputLinks() {
    emit OutputLinksChanged();
}

void CAudioView::OpenPresetGroups(int mode) {
    PresetGroupDialog dialog(static_cast<PresetGroupMode>(mode), *this, this);
    runModalDialog_(dialog);
}

void CAudioView::OpenSetup() {
    SetupDialog dialog(*this, this);
    runModalDialog_(dialog);
}

void CAudioView::OpenRoomEq() {
    RoomEqDialog dialog(*this, this);
    runModalDialog_(dialog);
    RefreshPages();
}

void CAudioView::StartTransfer(const TransferStart& start, TransferFollowUp followUp) {
    if (!start.queued) {
        return;
    }
    followUps_.Follow(start, std::move(followUp));
    if (start.showProgress) {
        progress_->Relabel(services_.state.language);
        progress_->Start([this] { return device_.Transfers().IsTransferActive(); });
    }
}

void CAudioView::OnRequestEnded(TransferTicket ticket, RequestOutcome outcome) {
    if (const std::optional<RequestOutcome> ended =
            device_.Transfers().NoteRequestEnded(ticket, outcome)) {
        FinishTransfer(ticket, *ended);
    }
}

void CAudioView::FinishTransfer(TransferTicket ticket, RequestOutcome outcome) {
    std::optional<TransferFollowUp> followUp = followUps_.Take(ticket);
    // Whatever ended it, the progress window must go with the transfer.
    device_.Transfers().FinishReadTransfer();
    if (!followUp) {
        return;
    }
    const Language language = services_.state.language;
    if (outcome != RequestOutcome::Answered) {
        services_.messages.ShowFailure(TransferFailure(followUp->subject, outcome, language));
        return;
    }
    if (followUp->answered) {
        followUp->answered();
    }
    if (followUp->success) {
        ShowMessage(followUp->success(language));
    }
}

bool CAudioView::ChooseInitialRead() {
    ConnectionManager& manager = device_.Manager();
    manager.SetInitialRead(ConnectionManager::InitialRead::TakeDeviceProgram);
    if (!unsaved_->IsModified()) {
        return true;
    }
    switch (services_.messages.AskOnConnect(ConnectQuestionText(services_.state.language))) {
        case ConnectChoice::KeepEditorProgram:
            manager.SetInitialRead(ConnectionManager::InitialRead::KeepEditorProgram);
            return true;
        case ConnectChoice::TakeDeviceProgram:
            return true;
        default:
            return false;
    }
}

void CAudioView::ToggleConnection() {
    device_.Manager().ToggleConnection([this] {
        ConnectDialog dialog(device_.Manager(), services_.serialPorts, services_.state.language,
                             this);
        const bool chosen = runConnectDialog_(dialog);
        if (chosen && linkMemory_ != nullptr) {
            linkMemory_->Remember(device_.Manager().Settings());
        }
        return chosen && ChooseInitialRead();
    });
}

void CAudioView::ConnectTo(const ConnectionSettings& settings) {
    ConnectionManager& manager = device_.Manager();
    if (manager.IsConnected() || manager.IsConnecting()) {
        return;
    }
    manager.Settings() = settings;
    manager.ToggleConnection([this] { return ChooseInitialRead(); });
}

void CAudioView::SetLinkSettingsMemory(LinkSettingsMemory* memory) {
    linkMemory_ = memory;
    if (linkMemory_ != nullptr) {
        ConnectionSettings& settings = device_.Manager().Settings();
        settings = linkMemory_->Recall(settings);
    }
}

void CAudioView::LinkOutputs(int sourceGroup, int targetOutput) {
    {
        const auto guard = device_.Engine().Queue().Lock();
        if (JoinOutputLinkGroup(Program(), sourceGroup, targetOutput) && IsConnected()) {
            device_.Engine().Post(BuildOutputRecordMessage(Program(), targetOutput));
        }
    }
    if (const std::optional<int> page =
            PageAfterLinking(Program().GetOutputLinks(), services_.state.currentPage)) {
        SelectPage(*page);
        RefreshPages();
    }
    emit OutputLinksChanged();
    history_->Commit();
}

void CAudioView::SetLanguage(Language language) {
    services_.state.language = language;
    Relabel();
    emit LanguageChanged(language);
}

void CAudioView::Relabel() {
    const Language language = services_.state.language;
    qtTranslations_.Apply(language);
    for (const CommandButton& command : commandButtons_) {
        const QString name = Tr(command.text, language);
        command.button->setText(name);
        command.button->setToolTip(WithShortcut(name, command.keys));
    }
    pageButtons_->Relabel(language);
    modeButtons_->Relabel(language);
    volumes_->Relabel(language);
    compare_->Relabel(language);
    progress_->Relabel(language);
    // Every page, the one on screen included: a window of two languages is a fault.
    for (Page* page : pages_) {
        page->Relabel(language);
    }
    ShowConnectionState();
}

bool CAudioView::focusNextPrevChild(bool next) {
    const std::vector<QWidget*> stops = TabStopsInReadingOrder(this);
    if (stops.empty()) {
        return QWidget::focusNextPrevChild(next);
    }
    QWidget* focused = focusWidget();
    const auto current = std::find_if(stops.begin(), stops.end(), [focused](QWidget* stop) {
        return stop == focused || (focused != nullptr && stop->isAncestorOf(focused));
    });
    const auto count = static_cast<std::ptrdiff_t>(stops.size());
    std::ptrdiff_t index = 0;
    if (current != stops.end()) {
        index = (current - stops.begin() + (next ? 1 : count - 1)) % count;
    } else if (!next) {
        index = count - 1;
    }
    QWidget* target = stops[static_cast<size_t>(index)];
    target->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    // A page taller than the window scrolls to the control that took the focus.
    for (QWidget* outer = target->parentWidget(); outer != nullptr && outer != this;
         outer = outer->parentWidget()) {
        if (auto* scroller = qobject_cast<QScrollArea*>(outer)) {
            scroller->ensureWidgetVisible(target);
        }
    }
    return true;
}

void CAudioView::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    // A button that does not take Enter itself passes it here.
    if (enter && PressFocusedButton(*this)) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void CAudioView::OpenHelp() {
    if (!openDocument_(helpPaths_.For(services_.state.language))) {
        ShowMessage(ShellText::kHelpNotFound);
    }
}

void CAudioView::ShowMessage(const BilingualText& text) {
    ShowMessage(Tr(text, services_.state.language));
}

void CAudioView::ShowMessage(const QString& text) {
    services_.messages.Show(text);
}

void CAudioView::ShowConnectionState() {
    // The link's real state: a connection the device closed shows as down
    // while its reconnect is pending.
    indicators_->Show(device_.Manager().IsLinkUp(), services_.state.language, IsConnected());
}

void CAudioView::OnProgramReceived() {
    LoadReceivedProgram(device_.Engine(), Program());
    {
        const auto guard = device_.Engine().Queue().Lock();
        Program().ResetOutputLinks();
    }
    // The program is now the processor's; there is nothing unsaved in it.
    unsaved_->MarkUnchanged(QString());
    emit OutputLinksChanged();
    RefreshPages();
    // What the device holds is where the user starts; nothing before it can be undone.
    history_->Reset();
}

void CAudioView::OnSystemDataRead() {
    RefreshModeButtons();
    RefreshVolumes();
}

void CAudioView::OnEffectRecordReceived() {
    // The processor's effect group changes nothing the user had not saved.
    const bool wasUnchanged = !unsaved_->IsModified();
    LoadReceivedEffectRecord(device_.Engine(), Program());
    if (wasUnchanged) {
        unsaved_->MarkUnchanged();
    }
    RefreshPages();
    history_->Commit(kEffectGroupStep);
}

void CAudioView::OnReadTransferFinished() {
    device_.Transfers().FinishReadTransfer();
}

void CAudioView::OnUsbGaveUp() {
    device_.Manager().HandleUsbFailure();
}
