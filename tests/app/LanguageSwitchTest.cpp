// SPDX-License-Identifier: GPL-3.0-or-later
// One language at a time, everywhere: after each switch (from the menu and
// from the setup dialog) the page on screen, every other page, the graphs'
// painted words, the preset, setup, Connect, About and progress windows, the
// message boxes with Qt's own buttons and the file dialog show no text of the
// other language.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>

#include "LanguageCheck.h"
#include "ShellTestRig.h"
#include "app/ConnectionIndicators.h"
#include "app/ExportCommands.h"
#include "app/PageButtons.h"
#include "app/ProgramFileCommands.h"
#include "app/dialogs/AboutBox.h"
#include "app/dialogs/ProgressWindow.h"
#include "app/dialogs/SetupDialog.h"
#include "app/graph/FStatic.h"
#include "app/widgets/NumEdit.h"
#include "model/Audio_Data.h"
#include "model/SystemData.h"

namespace {

const char* Name(Language language) {
    return language == Language::Chinese ? "Chinese" : "English";
}

class LanguageSwitch : public testing::Test {
  protected:
    LanguageSwitch() {
        rig_.window.resize(1366, 768);
        rig_.window.show();
        rig_.view.SetModalDialogRunner([this](QDialog& dialog) {
            dialog.show();
            Check(dialog, dialog.metaObject()->className());
            // The setup dialog carries the other route to a switch.
            if (switchFromSetup_) {
                if (auto* setup = qobject_cast<SetupDialog*>(&dialog)) {
                    setup->LanguageButton()->click();
                    switchFromSetup_ = false;
                    language_ = rig_.state.language;
                    Check(dialog, "setup dialog after its own switch");
                }
            }
            dialog.reject();
        });
        rig_.view.SetConnectDialogRunner([this](ConnectDialog& dialog) {
            dialog.show();
            Check(dialog, "Connect dialog");
            return false;
        });
    }

    void Check(const QWidget& widget, const std::string& where) {
        const QStringList wrong = OtherLanguageTexts(VisibleTexts(widget), language_);
        EXPECT_TRUE(wrong.isEmpty()) << Name(language_) << ", " << where << ": "
                                     << wrong.join(QStringLiteral(" | ")).toStdString();
    }

    void CheckWindowAndGraphs(const std::string& where) {
        Check(rig_.window, where);
        for (const CFStatic* graph : rig_.window.findChildren<CFStatic*>()) {
            EXPECT_EQ(graph->CurrentLanguage(), language_) << where << ": a graph's overlay";
        }
        for (const CNumEdit* box : rig_.window.findChildren<CNumEdit*>()) {
            EXPECT_EQ(box->CurrentLanguage(), language_) << where << ": a box's range message";
        }
    }

    // Switches through the menu bar's language entry, as a user does.
    void SwitchFromMenu(Language language) {
        const QString entry =
            language == Language::Chinese ? QStringLiteral("Chinese") : QStringLiteral("English");
        QAction* found = nullptr;
        for (QAction* menu : rig_.window.menuBar()->actions()) {
            for (QAction* action : menu->menu()->actions()) {
                if (action->text() == entry) {
                    found = action;
                }
            }
        }
        ASSERT_NE(found, nullptr) << "no menu entry " << entry.toStdString();
        found->trigger();
        language_ = language;
        ASSERT_EQ(rig_.state.language, language);
    }

    // Runs `open`, which shows a modal Qt dialog, checks the dialog it put up and closes it.
    template <typename Dialog>
    void CheckModal(const std::function<void()>& open, const std::string& where) {
        bool seen = false;
        QTimer inspector;
        QObject::connect(&inspector, &QTimer::timeout, [&] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                auto* dialog = qobject_cast<Dialog*>(widget);
                if (dialog != nullptr && dialog->isVisible() && !seen) {
                    seen = true;
                    Check(*dialog, where);
                    dialog->reject();
                }
            }
        });
        inspector.start(10);
        open();
        EXPECT_TRUE(seen) << where << " never showed";
    }

    void CheckEverything(const std::string& when) {
        CheckWindowAndGraphs(when + ", page on screen");
        for (int page = 0; page < kPageCount; ++page) {
            rig_.view.PressPageButton(page);
            CheckWindowAndGraphs(when + ", page " + std::to_string(page));
        }
        // The Edit menu names a step, and the compare buttons side B, in the language.
        rig_.view.EditProgram([](CAudio_Data& program) {
            CFilter& band = program.GetOutput(1).GetBand(4);
            band.SetGainIndex(band.GetGainIndex() == 230 ? 170 : 230);
        });
        rig_.view.History().CopyLiveToOther();
        rig_.view.History().SwitchSides();
        CheckWindowAndGraphs(when + ", an edit to undo and side B live");
        rig_.view.History().SwitchSides();
        rig_.view.OpenPresetGroups(0);
        rig_.view.OpenPresetGroups(1);
        rig_.view.OpenSetup();
        rig_.view.ToggleConnection();

        AboutBox about(language_, &rig_.window);
        about.show();
        Check(about, "About box");

        ProgressWindow* progress = rig_.view.Progress();
        progress->Relabel(language_);
        progress->show();
        Check(*progress, "progress window");
        progress->hide();

        MessageBoxSink boxes(&rig_.window);
        CheckModal<QMessageBox>([&] { boxes.Show(QStringLiteral("1")); }, "message box");

        const auto choose = ProgramFileCommands::FileDialogChooser(&rig_.window, rig_.state);
        CheckModal<QFileDialog>([&] { choose(FileDialogKind::Open, QStringLiteral("*.dia")); },
                                "open dialog");
        CheckModal<QFileDialog>([&] { choose(FileDialogKind::Save, QStringLiteral("*.dia")); },
                                "save dialog");
        const auto chooseExport = ExportCommands::FileDialogChooser(&rig_.window, rig_.state);
        for (const ExportKind kind :
             {ExportKind::GraphPicture, ExportKind::ResponseTable, ExportKind::SetupSheet}) {
            CheckModal<QFileDialog>([&] { chooseExport(kind); }, "export dialog");
        }
    }

    ShellTestRig rig_;
    Language language_ = rig_.state.language;
    bool switchFromSetup_ = false;
};

TEST_F(LanguageSwitch, EveryPageAndDialogShowsOnlyTheChosenLanguage) {
    // The file dialogs start in a folder whose name is no word of either language.
    const QString folder = QDir::currentPath();
    QDir::setCurrent(QDir::rootPath());
    CheckEverything("at start");

    rig_.view.PressPageButton(kFirstOutputPage + 1);
    SwitchFromMenu(Language::English);
    CheckEverything("after the menu's switch to English");

    rig_.view.PressPageButton(3);
    SwitchFromMenu(Language::Chinese);
    CheckEverything("after the menu's switch to Chinese");

    rig_.view.PressPageButton(2);
    switchFromSetup_ = true;
    rig_.view.OpenSetup();
    EXPECT_EQ(rig_.state.language, Language::English);
    CheckEverything("after the setup dialog's switch to English");
    QDir::setCurrent(folder);
}

TEST_F(LanguageSwitch, TheAutomaticModeMessageFollowsTheLanguage) {
    rig_.system.SetByte(SystemByte::kOperatingMode, 1);
    for (Language language : {Language::English, Language::Chinese}) {
        rig_.view.SetLanguage(language);
        rig_.messages.shown.clear();
        rig_.view.PressPageButton(kFirstOutputPage);
        ASSERT_EQ(rig_.messages.shown.size(), 1u);
        EXPECT_EQ(rig_.messages.shown[0], language == Language::English
                                              ? QStringLiteral("Automatic mode")
                                              : QStringLiteral("自动模式"));
    }
}

TEST_F(LanguageSwitch, TheConnectButtonNamesWhatItWillDo) {
    QPushButton* button = rig_.view.Indicators()->ConnectButton();
    for (Language language : {Language::English, Language::Chinese}) {
        rig_.view.SetLanguage(language);
        EXPECT_EQ(button->text(), language == Language::English ? QStringLiteral("Connect")
                                                                : QStringLiteral("联机"));
    }
    ASSERT_TRUE(rig_.ConnectOverNetwork());
    EXPECT_EQ(button->text(), QStringLiteral("断开"));
    rig_.view.SetLanguage(Language::English);
    EXPECT_EQ(button->text(), QStringLiteral("Disconnect"));
    rig_.view.ToggleConnection();
    EXPECT_EQ(button->text(), QStringLiteral("Connect"));
}

}  // namespace
