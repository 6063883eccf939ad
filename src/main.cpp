// SPDX-License-Identifier: GPL-3.0-or-later
// Keeps the entry point thin: everything the editor does lives in the app library.
#include <QApplication>
#include <QLabel>

#include "app/AppTitle.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QLabel window(QStringLiteral("The editor pages are under construction."));
    window.setWindowTitle(QString::fromUtf8(kAppTitle));
    window.resize(640, 360);
    window.show();
    return QApplication::exec();
}
