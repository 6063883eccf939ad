// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainWindow.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>

#include "app/KeyboardShortcuts.h"
#include "app/ShellTexts.h"
#include "app/WindowPlacement.h"
#include "app/dialogs/AboutBox.h"

namespace {
constexpr BilingualText kOtherLanguage{"Chinese", "English"};
}

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
}

void MainWindow::BuildMenu() {
    const Language language = view_->State().language;
    // A fresh bar per language: the old one and its actions go with it.
    auto* bar = new QMenuBar(this);
    QMenu* connection = bar->addMenu(Tr(ShellText::kConnectMenu, language));
    QAction* connectItem = connection->addAction(Tr(ShellText::kConnectItem, language), view_,
                                                 &CAudioView::ToggleConnection);
    // The view owns the key; the item only names it while its menu is open.
    connectItem->setShortcut(Shortcut::Connection());
    connectItem->setShortcutContext(Qt::WidgetShortcut);
    QMenu* languages = bar->addMenu(Tr(ShellText::kLanguageMenu, language));
    const Language other = language == Language::Chinese ? Language::English : Language::Chinese;
    languages->addAction(Tr(kOtherLanguage, language), this,
                         [this, other] { SwitchLanguage(other); });
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

void MainWindow::SwitchLanguage(Language language) {
    view_->SetLanguage(language);
}

void MainWindow::ShowAbout() {
    runAbout_();
}
