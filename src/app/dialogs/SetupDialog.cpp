// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogs/SetupDialog.h"

#include <QGridLayout>
#include <QPushButton>

#include "app/ShellTexts.h"
#include "app/dialogs/DialogServices.h"
#include "app/dialogs/SetupOptionSection.h"
#include "app/dialogs/SetupProgramSection.h"
#include "app/dialogs/SetupTexts.h"
#include "app/dialogs/SetupVolumeSection.h"

SetupDialog::SetupDialog(DialogServices& services, QWidget* parent)
    : QDialog(parent),
      services_(services),
      language_(services.GetLanguage()),
      volumes_(new SetupVolumeSection(services, this)),
      programValues_(new SetupProgramSection(services, this)),
      options_(new SetupOptionSection(services, this)),
      languageButton_(new QPushButton(this)) {
    // Enter commits a numeric box; it must not also press a button.
    languageButton_->setAutoDefault(false);

    auto* layout = new QGridLayout(this);
    layout->addWidget(volumes_, 0, 0, 2, 1);
    layout->addWidget(programValues_, 0, 1);
    layout->addWidget(options_, 1, 1);
    layout->addWidget(languageButton_, 2, 1, Qt::AlignRight);

    connect(languageButton_, &QPushButton::clicked, this, &SetupDialog::SwitchLanguage);
    volumes_->Load();
    programValues_->Load();
    options_->Load();
    Relabel();
}

void SetupDialog::SwitchLanguage() {
    language_ = language_ == Language::English ? Language::Chinese : Language::English;
    Relabel();
    services_.SetLanguage(language_);
}

void SetupDialog::Relabel() {
    setWindowTitle(Tr(SetupText::kTitle, language_));
    volumes_->Relabel(language_);
    programValues_->Relabel(language_);
    options_->Relabel(language_);
    languageButton_->setText(Tr(SetupText::kLanguageButton, language_));
}
