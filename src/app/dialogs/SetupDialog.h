// SPDX-License-Identifier: GPL-3.0-or-later
// The system setup dialog: maximum and start volumes (applied with their own
// button), noise gate and bass attenuation of the program, operating mode,
// panel lock, output linking, and the button that switches the interface
// language. Everything is loaded from the system bytes and the program when
// the dialog opens.
//
// The constraint: the volumes wait for their button, while every other
// control acts as soon as the user moves it; closing the dialog undoes
// nothing.
#pragma once

#include <QDialog>

#include "curves/BilingualText.h"

class DialogServices;
class QPushButton;
class SetupOptionSection;
class SetupProgramSection;
class SetupVolumeSection;

class SetupDialog : public QDialog {
    Q_OBJECT
  public:
    explicit SetupDialog(DialogServices& services, QWidget* parent = nullptr);

    // Flips between English and Chinese, here and in the view.
    void SwitchLanguage();

    SetupVolumeSection* Volumes() const { return volumes_; }
    SetupProgramSection* ProgramValues() const { return programValues_; }
    SetupOptionSection* Options() const { return options_; }
    QPushButton* LanguageButton() const { return languageButton_; }

  private:
    void Relabel();

    DialogServices& services_;
    Language language_;
    SetupVolumeSection* volumes_;
    SetupProgramSection* programValues_;
    SetupOptionSection* options_;
    QPushButton* languageButton_;
};
