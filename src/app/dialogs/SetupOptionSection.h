// SPDX-License-Identifier: GPL-3.0-or-later
// The choices of the setup dialog that act at once: the operating mode and
// the panel lock (system bytes [3] and [16], each written as its item when
// another option is chosen) and the linking of main left with main right and
// of surround left with surround right.
//
// The constraint: only the user's own clicks act; loading sets the options
// and boxes without writing or linking anything.
#pragma once

#include <QWidget>

#include "curves/BilingualText.h"

class DialogServices;
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QRadioButton;

// A pair of outputs the setup dialog links: the left one leads.
struct OutputPair {
    int left;
    int right;
};
inline constexpr OutputPair kMainPair{0, 1};
inline constexpr OutputPair kSurroundPair{4, 5};

class SetupOptionSection : public QWidget {
    Q_OBJECT
  public:
    SetupOptionSection(DialogServices& services, QWidget* parent = nullptr);

    void Load();
    void Relabel(Language language);

    // The option buttons by value: mode 0 sing, 1 automatic; lock 0..2.
    QRadioButton* ModeOption(int value) const;
    QRadioButton* LockOption(int value) const;
    QCheckBox* LinkMainBox() const { return linkMain_; }
    QCheckBox* LinkSurroundBox() const { return linkSurround_; }

  private:
    void ChooseSystemOption(int byte, int item, int value);
    void SetPairLinked(OutputPair pair, bool linked);

    DialogServices& services_;
    QGroupBox* modeGroup_;
    QGroupBox* lockGroup_;
    QButtonGroup* modeOptions_;
    QButtonGroup* lockOptions_;
    QCheckBox* linkMain_;
    QCheckBox* linkSurround_;
};
