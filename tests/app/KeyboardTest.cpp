// SPDX-License-Identifier: GPL-3.0-or-later
// The editor without a mouse, through the real window shown offscreen: menus
// from F10 and Alt letters in both languages, the command and page keys and
// the tooltips that name them, Enter and Space on a focused button, and the
// Tab walk through the screen.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

#include <algorithm>
#include <iterator>
#include <set>

#include "ShellTestRig.h"
#include "app/ConnectionIndicators.h"
#include "app/PageButtons.h"
#include "app/ReadingOrder.h"
#include "app/VolumeStrip.h"
#include "app/pages/EqBandTable.h"
#include "app/pages/EqBandTableRow.h"
#include "app/pages/OutputEqSection.h"
#include "app/pages/OutputPage.h"
#include "app/widgets/NumEdit.h"

namespace {

constexpr int kFirstOutput = 4;

// The editor's window shown and active, as the keyboard needs it.
struct ShownWindow : ShellTestRig {
    ShownWindow() {
        window.show();
        window.activateWindow();
        active = QTest::qWaitForWindowActive(&window);
        // Whatever the test does, nothing opens a real modal dialog.
        view.SetModalDialogRunner([this](QDialog& dialog) {
            opened.push_back(QString::fromLatin1(dialog.metaObject()->className()));
        });
        view.SetConnectDialogRunner([this](ConnectDialog&) {
            opened.push_back(QStringLiteral("ConnectDialog"));
            return false;
        });
        view.SetFileChooser([this](FileDialogKind kind, const QString&) {
            opened.push_back(kind == FileDialogKind::Open ? QStringLiteral("open file")
                                                          : QStringLiteral("save file"));
            return QString();
        });
        view.SetDocumentOpener([this](const QString&) {
            opened.push_back(QStringLiteral("help"));
            return true;
        });
    }
    ~ShownWindow() {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            popup->close();
        }
    }

    // Keys go where the user's keys go: to the widget with the focus.
    void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* target = QApplication::focusWidget();
        QTest::keyClick(target != nullptr ? target : &window, static_cast<Qt::Key>(key), modifiers);
    }

    QMenu* OpenMenu() const { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); }
    QMenu* Menu(int index) const { return window.menuBar()->actions().at(index)->menu(); }
    void CloseMenu() {
        if (QMenu* menu = OpenMenu()) {
            menu->close();
        }
    }

    bool active = false;
    std::vector<QString> opened;
};

TEST(Keyboard, MenusOpenWithF10AndTheirAltLetterInBothLanguages) {
    struct Letters {
        Language language;
        Qt::Key file, edit, connection, languages, tools, help;
    };
    for (const Letters& letters : {Letters{Language::Chinese, Qt::Key_F, Qt::Key_E, Qt::Key_C,
                                           Qt::Key_L, Qt::Key_T, Qt::Key_H},
                                   Letters{Language::English, Qt::Key_F, Qt::Key_E, Qt::Key_O,
                                           Qt::Key_L, Qt::Key_T, Qt::Key_H}}) {
        ShownWindow rig;
        ASSERT_TRUE(rig.active);
        rig.view.SetLanguage(letters.language);
        // The new menu bar is laid out, and takes its letters, once the window
        // has handled its events, as it has long before a user's next key.
        QCoreApplication::processEvents();
        rig.view.PageButtonRow()->Button(0)->setFocus();

        rig.Press(Qt::Key_F10);
        EXPECT_EQ(rig.OpenMenu(), rig.Menu(0)) << "F10";
        rig.CloseMenu();
        const std::pair<Qt::Key, int> mnemonics[] = {
            {letters.file, 0},      {letters.edit, 1},  {letters.connection, 2},
            {letters.languages, 3}, {letters.tools, 4}, {letters.help, 5}};
        for (const auto& [letter, menu] : mnemonics) {
            rig.Press(letter, Qt::AltModifier);
            EXPECT_EQ(rig.OpenMenu(), rig.Menu(menu)) << "Alt+" << char(letter);
            rig.CloseMenu();
        }
    }
}

TEST(Keyboard, CommandKeysWorkFromAnyFieldAndTheTooltipsNameThem) {
    ShownWindow rig;
    ASSERT_TRUE(rig.active);
    // The keys are taken while the user is typing in a numeric field, too.
    rig.Press(Qt::Key_5, Qt::ControlModifier);
    ASSERT_EQ(rig.state.currentPage, kFirstOutput);
    auto* output = qobject_cast<OutputPage*>(rig.view.CurrentPageWidget());
    ASSERT_NE(output, nullptr);
    CNumEdit& field = output->Equaliser().Table().Row(0).Frequency();
    field.setFocus();
    ASSERT_EQ(QApplication::focusWidget(), &field);

    struct Command {
        int key;
        Qt::KeyboardModifiers modifiers;
        const char* opened;
        QPushButton* button;  // whose tooltip names the key
    };
    const Command commands[] = {
        {Qt::Key_O, Qt::ControlModifier, "open file", rig.view.FileOpenButton()},
        {Qt::Key_S, Qt::ControlModifier, "save file", rig.view.FileSaveButton()},
        {Qt::Key_R, Qt::ControlModifier, "PresetGroupDialog", rig.view.PresetGroupButton(0)},
        {Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier, "PresetGroupDialog",
         rig.view.PresetGroupButton(1)},
        {Qt::Key_Comma, Qt::ControlModifier, "SetupDialog", rig.view.SetupButton()},
        {Qt::Key_F1, Qt::NoModifier, "help", rig.view.HelpButton()},
        {Qt::Key_L, Qt::ControlModifier, "ConnectDialog", rig.view.Indicators()->ConnectButton()},
    };
    for (const Command& command : commands) {
        const QKeySequence keys(QKeyCombination(command.modifiers, Qt::Key(command.key)));
        SCOPED_TRACE(keys.toString().toStdString());
        rig.opened.clear();
        field.setFocus();
        rig.Press(command.key, command.modifiers);
        EXPECT_EQ(rig.opened, std::vector<QString>{QString::fromLatin1(command.opened)});
        EXPECT_TRUE(command.button->toolTip().endsWith(
            QStringLiteral("(") + keys.toString(QKeySequence::NativeText) + QStringLiteral(")")))
            << command.button->toolTip().toStdString();
    }
}

TEST(Keyboard, PageKeysFollowThePageButtonsAndKeepTheAutomaticModeRule) {
    ShownWindow rig;
    ASSERT_TRUE(rig.active);
    rig.view.PageButtonRow()->Button(0)->setFocus();
    const std::pair<int, int> digits[] = {
        {Qt::Key_2, 1}, {Qt::Key_4, 3}, {Qt::Key_9, 8}, {Qt::Key_0, 9}, {Qt::Key_1, 0}};
    for (const auto& [digit, page] : digits) {
        rig.Press(digit, Qt::ControlModifier);
        EXPECT_EQ(rig.state.currentPage, page);
        EXPECT_TRUE(rig.view.PageButtonRow()->Button(page)->isChecked());
        EXPECT_TRUE(rig.view.PageButtonRow()->Button(page)->toolTip().contains(
            QKeySequence(QKeyCombination(Qt::ControlModifier, Qt::Key(digit)))
                .toString(QKeySequence::NativeText)));
    }
    rig.Press(Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(rig.state.currentPage, 9) << "from the first page back to the last";
    rig.Press(Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(rig.state.currentPage, 0);

    // In automatic mode the output pages stay closed, as with their buttons.
    rig.system.SetByte(SystemByte::kOperatingMode, 1);
    rig.Press(Qt::Key_5, Qt::ControlModifier);
    EXPECT_EQ(rig.state.currentPage, 0);
    EXPECT_EQ(rig.messages.shown.size(), 1u);
}

TEST(Keyboard, EveryKeyDoesExactlyOneThing) {
    // Two owners of one key make Qt do neither, so a clash would silently
    // disable a command: every key the window answers to has one owner.
    ShownWindow rig;
    std::multiset<QKeySequence> keys;
    for (const QShortcut* shortcut : rig.window.findChildren<QShortcut*>()) {
        if (shortcut->isEnabled()) {
            keys.insert(shortcut->key());
        }
    }
    for (const QAction* action : rig.window.menuBar()->findChildren<QAction*>()) {
        // Widget-context items only name a key the view owns.
        if (action->shortcutContext() != Qt::WidgetShortcut) {
            for (const QKeySequence& key : action->shortcuts()) {
                keys.insert(key);
            }
        }
    }
    for (const QKeySequence& key : keys) {
        EXPECT_EQ(keys.count(key), 1U) << key.toString().toStdString();
    }
    for (const char* key : {"Ctrl+Z", "Ctrl+Shift+Z", "Ctrl+Y", "F6", "Ctrl+O", "Ctrl+L"}) {
        EXPECT_EQ(keys.count(QKeySequence(QString::fromLatin1(key))), 1U) << key;
    }
}

TEST(Keyboard, EnterOrSpacePressesTheFocusedButton) {
    ShownWindow rig;
    ASSERT_TRUE(rig.active);
    const std::pair<int, int> presses[] = {
        {Qt::Key_Return, kFirstOutput}, {Qt::Key_Space, 1}, {Qt::Key_Enter, kFirstOutput + 2}};
    for (const auto& [key, page] : presses) {
        rig.view.PageButtonRow()->Button(page)->setFocus();
        rig.Press(key);
        EXPECT_EQ(rig.state.currentPage, page);
    }
    rig.view.FileOpenButton()->setFocus();
    rig.Press(Qt::Key_Return);
    rig.view.SetupButton()->setFocus();
    rig.Press(Qt::Key_Space);
    EXPECT_EQ(rig.opened, (std::vector<QString>{"open file", "SetupDialog"}));
}

// Where a control sits: the top row, the page buttons, the page or the volume strip.
enum class Area { TopRow, PageButtons, Page, VolumeStrip };

Area AreaOf(CAudioView& view, QWidget* control) {
    if (view.PageButtonRow()->isAncestorOf(control)) {
        return Area::PageButtons;
    }
    if (view.CurrentPageWidget()->isAncestorOf(control)) {
        return Area::Page;
    }
    if (view.Volumes()->isAncestorOf(control)) {
        return Area::VolumeStrip;
    }
    return Area::TopRow;
}

// Tab from the connect button until it comes back; the controls visited.
std::vector<QWidget*> WalkTabs(ShownWindow& rig, int key) {
    QWidget* start = rig.view.Indicators()->ConnectButton();
    start->setFocus();
    std::vector<QWidget*> visited{start};
    for (int guard = 0; guard < 500; ++guard) {
        rig.Press(key);
        QWidget* now = QApplication::focusWidget();
        if (now == start || now == nullptr) {
            break;
        }
        visited.push_back(now);
    }
    return visited;
}

TEST(Keyboard, TabFollowsTheScreenOnEveryKindOfPage) {
    for (const int page : {0, 1, 2, kFirstOutput}) {
        SCOPED_TRACE(page);
        ShownWindow rig;
        ASSERT_TRUE(rig.active);
        rig.view.PressPageButton(page);
        const std::vector<QWidget*> forward = WalkTabs(rig, Qt::Key_Tab);

        // Each area in turn, every shown control exactly once.
        std::vector<Area> areas;
        for (QWidget* control : forward) {
            areas.push_back(AreaOf(rig.view, control));
        }
        EXPECT_TRUE(std::is_sorted(areas.begin(), areas.end()));
        std::vector<QWidget*> pageButtons;
        std::copy_if(forward.begin(), forward.end(), std::back_inserter(pageButtons),
                     [&](QWidget* c) { return AreaOf(rig.view, c) == Area::PageButtons; });
        ASSERT_EQ(pageButtons.size(), size_t{kPageCount});
        for (int button = 0; button < kPageCount; ++button) {
            EXPECT_EQ(pageButtons[static_cast<size_t>(button)],
                      rig.view.PageButtonRow()->Button(button));
        }
        EXPECT_EQ(AreaOf(rig.view, forward.back()), Area::VolumeStrip);
        EXPECT_EQ(std::set<QWidget*>(forward.begin(), forward.end()).size(), forward.size());
        for (QWidget* control : rig.view.findChildren<QWidget*>()) {
            const bool stop = control->isVisible() && control->isEnabled() &&
                              (control->focusPolicy() & Qt::TabFocus) &&
                              control->focusProxy() == nullptr;
            if (stop) {
                EXPECT_NE(std::find(forward.begin(), forward.end(), control), forward.end())
                    << "never reached: " << control->metaObject()->className() << " "
                    << control->accessibleName().toStdString();
            }
        }

        // Shift+Tab walks the same way back.
        std::vector<QWidget*> backward = WalkTabs(rig, Qt::Key_Backtab);
        std::reverse(backward.begin() + 1, backward.end());
        EXPECT_EQ(backward, forward);
    }
}

TEST(Keyboard, TabReadsABandTableRowByRowAndScrollsToTheControl) {
    ShownWindow rig;
    ASSERT_TRUE(rig.active);
    rig.window.resize(900, 500);
    rig.view.PressPageButton(kFirstOutput);
    auto* output = qobject_cast<OutputPage*>(rig.view.CurrentPageWidget());
    ASSERT_NE(output, nullptr);
    const std::vector<QWidget*> walk = WalkTabs(rig, Qt::Key_Tab);
    auto at = [&walk](QWidget* control) {
        return std::find(walk.begin(), walk.end(), control) - walk.begin();
    };
    EqBandTable& table = output->Equaliser().Table();
    for (int row = 0; row + 1 < 3; ++row) {
        EqBandTableRow& band = table.Row(row);
        EXPECT_LT(at(&band.Frequency()), at(&band.Bandwidth()));
        EXPECT_LT(at(&band.Bandwidth()), at(&band.Gain()));
        EXPECT_LT(at(&band.Gain()), at(&table.Row(row + 1).Frequency()));
    }

    // Every page control that takes the focus is in view, scrolled there if
    // the page is taller than the window.
    for (QWidget* control : walk) {
        if (AreaOf(rig.view, control) != Area::Page) {
            continue;
        }
        control->setFocus();
        rig.Press(Qt::Key_Tab);
        rig.Press(Qt::Key_Backtab);
        ASSERT_EQ(QApplication::focusWidget(), control);
        EXPECT_FALSE(control->visibleRegion().isEmpty()) << control->metaObject()->className();
    }
}

// Boxes of one row may differ in height and top; a tall block beside a
// column of small ones is read before them.
TEST(ReadingOrder, RowsTopToBottomEachLeftToRight) {
    struct Case {
        const char* name;
        std::vector<QRect> boxes;
        std::vector<size_t> order;
    };
    const Case cases[] = {
        {"one row given backwards",
         {{200, 0, 50, 20}, {100, 0, 50, 20}, {0, 0, 50, 20}},
         {2, 1, 0}},
        {"uneven heights in one row",
         {{100, 2, 50, 16}, {0, 0, 50, 24}, {200, 4, 50, 12}, {0, 30, 50, 24}},
         {1, 0, 2, 3}},
        {"two rows, the lower one given first", {{0, 40, 50, 20}, {60, 0, 50, 20}}, {1, 0}},
        {"tall block beside a column",
         {{0, 0, 100, 200}, {120, 0, 50, 20}, {120, 30, 50, 20}},
         {0, 1, 2}},
        {"nothing", {}, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReadingOrderOf(c.boxes), c.order) << c.name;
    }
}

}  // namespace
