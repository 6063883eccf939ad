// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/HelpFile.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

HelpFilePaths HelpFilePathsIn(const QString& directory) {
    const QDir folder(directory);
    return {folder.filePath(QStringLiteral("CH_Help.html")),
            folder.filePath(QStringLiteral("EN_Help.html"))};
}

QStringList HelpFolderCandidates(const QString& programDirectory) {
    const QDir program(programDirectory);
    return {QDir::cleanPath(program.filePath(QStringLiteral("../share/doc/sonavel"))),
            QDir::cleanPath(program.filePath(QStringLiteral("../share/sonavel/help"))),
            QDir::cleanPath(program.filePath(QStringLiteral("help"))),
            QDir::cleanPath(programDirectory)};
}

HelpFilePaths FindHelpFiles(const QString& programDirectory) {
    const QStringList candidates = HelpFolderCandidates(programDirectory);
    for (const QString& folder : candidates) {
        const HelpFilePaths paths = HelpFilePathsIn(folder);
        if (QFileInfo(paths.english).isFile()) {
            return paths;
        }
    }
    return HelpFilePathsIn(candidates.front());
}

DocumentOpener DesktopDocumentOpener() {
    return [](const QString& path) {
        return QFileInfo(path).isFile() && QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    };
}
