// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's top-level window: titled with the program's name (and the
// program file's, with a star while it has unsaved changes), 1013 x 703
// at the top-left corner of the screen, with the menu bar of the interface
// language (file and exports, edit, connect, language, help) and the main
// view filling it.
//
// The constraint: the two languages have two different menu bars, not one
// bar relabelled: each offers the other language, so switching replaces the
// whole bar.
#pragma once

#include <QMainWindow>
#include <functional>

#include "app/AudioView.h"

class QAction;
class QMenuBar;

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit MainWindow(ViewServices services, QWidget* parent = nullptr);

    CAudioView& View() { return *view_; }
    void SwitchLanguage(Language language);
    void ShowAbout();
    // F10: the first menu opens, and the arrow keys walk the menu bar from there.
    void OpenFirstMenu();
    // Tests replace the modal About box.
    void SetAboutRunner(std::function<void()> runner) { runAbout_ = std::move(runner); }

    static constexpr int kWidth = 1013;
    static constexpr int kHeight = 703;

    QAction* UndoAction() const { return undo_; }
    QAction* RedoAction() const { return redo_; }
    QAction* CompareSwitchAction() const { return compareSwitch_; }

  protected:
    // Unsaved changes are asked about first; cancelling keeps the window open.
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildMenu();
    void AddFileMenu(QMenuBar* bar, Language language);
    void AddEditMenu(QMenuBar* bar, Language language);
    void ShowEditSteps();

    CAudioView* view_;
    QAction* undo_ = nullptr;
    QAction* redo_ = nullptr;
    QAction* compareSwitch_ = nullptr;
    QAction* compareCopy_ = nullptr;
    std::function<void()> runAbout_;
};
