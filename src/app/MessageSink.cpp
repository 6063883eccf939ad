// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MessageSink.h"

#include <QMessageBox>

#include "app/ShellTexts.h"

void MessageBoxSink::Show(const QString& text) {
    QMessageBox::information(parent_, QString::fromUtf8(kAppTitle), text, QMessageBox::Ok);
}

void MessageBoxSink::ShowFailure(const QString& text) {
    QMessageBox::critical(parent_, QString::fromUtf8(kAppTitle), text, QMessageBox::Ok);
}
