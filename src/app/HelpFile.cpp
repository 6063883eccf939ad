// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/HelpFile.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

HelpFilePaths HelpFilePathsIn(const QString& directory) {
    const QDir folder(directory);
    return {folder.filePath(QStringLiteral("CH_Help.chm")),
            folder.filePath(QStringLiteral("EN_Help.chm"))};
}

DocumentOpener DesktopDocumentOpener() {
    return [](const QString& path) {
        return QFileInfo(path).isFile() && QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    };
}
