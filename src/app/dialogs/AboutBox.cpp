// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogs/AboutBox.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

#include "app/ShellTexts.h"

namespace {
constexpr int kIconSize = 48;
}

AboutBox::AboutBox(Language language, QWidget* parent) : QDialog(parent) {
    setWindowTitle(Tr(ShellText::kAbout, language));
    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(kIconSize));
    auto* title = new QLabel(QString::fromUtf8(kAppTitle), this);
    auto* row = new QHBoxLayout;
    row->addWidget(icon);
    row->addWidget(title, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
}
