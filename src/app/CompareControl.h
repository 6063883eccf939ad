// SPDX-License-Identifier: GPL-3.0-or-later
// The A/B compare buttons of the view: the live side ("A live" / "B live"),
// which switches sides when pressed, and "Copy A to B" (or B to A, when B is
// live), which makes the other side a copy of the live program.
#pragma once

#include <QWidget>

#include "curves/BilingualText.h"
#include "model/ProgramComparison.h"

class EditHistory;
class QPushButton;

class CompareControl : public QWidget {
    Q_OBJECT
  public:
    CompareControl(EditHistory& history, QWidget* parent = nullptr);

    void Relabel(Language language);
    QPushButton* SwitchButton() const { return switch_; }
    QPushButton* CopyButton() const { return copy_; }

    // The menu's texts for the same two commands.
    static QString SwitchText(Language language);
    static QString CopyText(CompareSide live, Language language);

  private:
    EditHistory& history_;
    Language language_ = Language::English;
    QPushButton* switch_;
    QPushButton* copy_;
};
