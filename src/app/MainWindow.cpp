// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainWindow.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>

#include "app/CompareControl.h"
#include "app/KeyboardShortcuts.h"
#include "app/ShellTexts.h"
#include "app/WindowPlacement.h"
#include "app/dialogs/AboutBox.h"
#include "app/dialogs/RoomEqTexts.h"

namespace {
constexpr BilingualText kOtherLanguage{"Chinese", "English"};

// The view owns these keys; the item only names them while its menu is open.
void NameViewKey(QAction* item, const QKeySequence& keys) {
    item->setShortcut(keys);
    item->setShortcutContext(Qt::WidgetShortcut);
}
}  // namespace

MainWindow::MainWindow(ViewServices services, QWidget* parent)
    : QMainWindow(parent), view_(new CAudioView(services, this)) {
    setWindowTitle(view_->Unsaved().WindowTitle());
    connect(&view_->Unsaved(), &UnsavedWork::TitleChanged, this,
            [this] { setWindowTitle(view_->Unsaved().WindowTitle()); });
    setCentralWidget(view_);
    const QScreen* screen = this->screen();
    setGeometry(FirstWindowGeometry(QSize(kWidth, kHeight),
                                    screen != nullptr ? screen->availableGeometry() : QRect()));
    runAbout_ = [this] {
        AboutBox box(view_->State().language, this);
        box.exec();
    };
    BuildMenu();
    auto* menuKey = new QShortcut(Shortcut::MenuBar(), this);
    connect(menuKey, &QShortcut::activated, this, &MainWindow::OpenFirstMenu);
    // The setup dialog switches the language through the view, too.
    connect(view_, &CAudioView::LanguageChanged, this, [this] { BuildMenu(); });
    connect(&view_->History(), &EditHistory::Changed, this, &MainWindow::ShowEditSteps);
    connect(&view_->History(), &EditHistory::SideSwitched, this, &MainWindow::ShowEditSteps);
}

void MainWindow::BuildMenu() {
    const Language language = view_->State().language;
    // A fresh bar per language: the old one and its actions go with it.
    auto* bar = new QMenuBar(this);
    AddFileMenu(bar, language);
    AddEditMenu(bar, language);
    QMenu* connection = bar->addMenu(Tr(ShellText::kConnectMenu, language));
    NameViewKey(connection->addAction(Tr(ShellText::kConnectItem, language), view_,
                                      &CAudioView::ToggleConnection),
                Shortcut::Connection());
    QMenu* languages = bar->addMenu(Tr(ShellText::kLanguageMenu, language));
    const Language other = language == Language::Chinese ? Language::English : Language::Chinese;
    languages->addAction(Tr(kOtherLanguage, language), this,
                         [this, other] { SwitchLanguage(other); });
    QMenu* tools = bar->addMenu(Tr(RoomEqText::kToolsMenu, language));
    tools->addAction(Tr(RoomEqText::kMenuItem, language), view_, &CAudioView::OpenRoomEq);
    QMenu* help = bar->addMenu(Tr(ShellText::kHelpMenu, language));
    help->addAction(Tr(ShellText::kAbout, language), this, &MainWindow::ShowAbout);
    setMenuBar(bar);
}

void MainWindow::OpenFirstMenu() {
    const QList<QAction*> menus = menuBar()->actions();
    if (!menus.isEmpty()) {
        menuBar()->setActiveAction(menus.first());
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!view_->AskBeforeClosing()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void MainWindow::AddFileMenu(QMenuBar* bar, Language language) {
    QMenu* file = bar->addMenu(Tr(ShellText::kFileMenu, language));
    NameViewKey(
        file->addAction(Tr(ShellText::kOpenItem, language), view_, &CAudioView::OpenProgramFile),
        Shortcut::OpenFile());
    NameViewKey(file->addAction(Tr(ShellText::kSaveItem, language), view_,
                                [this] { view_->SaveProgramFile(); }),
                Shortcut::SaveFile());
    file->addSeparator();
    ExportCommands& exports = view_->Exports();
    file->addAction(Tr(ShellText::kExportGraph, language), this,
                    [&exports] { exports.Export(ExportKind::GraphPicture); });
    file->addAction(Tr(ShellText::kExportResponses, language), this,
                    [&exports] { exports.Export(ExportKind::ResponseTable); });
    file->addAction(Tr(ShellText::kExportSheet, language), this,
                    [&exports] { exports.Export(ExportKind::SetupSheet); });
}

void MainWindow::AddEditMenu(QMenuBar* bar, Language language) {
    QMenu* edit = bar->addMenu(Tr(ShellText::kEditMenu, language));
    undo_ = edit->addAction(QString(), view_, &CAudioView::Undo);
    undo_->setShortcut(Shortcut::Undo());
    redo_ = edit->addAction(QString(), view_, &CAudioView::Redo);
    redo_->setShortcuts(Shortcut::Redo());
    edit->addSeparator();
    compareSwitch_ = edit->addAction(CompareControl::SwitchText(language), &view_->History(),
                                     &EditHistory::SwitchSides);
    compareSwitch_->setShortcut(Shortcut::CompareSwitch());
    compareCopy_ = edit->addAction(QString(), &view_->History(), &EditHistory::CopyLiveToOther);
    // These keys belong to the menu. The editor has one window, so they work
    // wherever the focus is in it, a numeric field included; a modal dialog
    // still holds them back.
    for (QAction* action : {undo_, redo_, compareSwitch_}) {
        action->setShortcutContext(Qt::ApplicationShortcut);
    }
    ShowEditSteps();
}

void MainWindow::ShowEditSteps() {
    const Language language = view_->State().language;
    const EditHistory& history = view_->History();
    undo_->setText(history.UndoText(language));
    undo_->setEnabled(history.CanUndo());
    redo_->setText(history.RedoText(language));
    redo_->setEnabled(history.CanRedo());
    compareCopy_->setText(CompareControl::CopyText(history.LiveSide(), language));
}

void MainWindow::SwitchLanguage(Language language) {
    view_->SetLanguage(language);
}

void MainWindow::ShowAbout() {
    runAbout_();
}
