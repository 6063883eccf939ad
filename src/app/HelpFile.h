// SPDX-License-Identifier: GPL-3.0-or-later
// The help documents, one HTML page per language ("EN_Help.html" and
// "CH_Help.html"), found next to the program: in share/doc/sonavel beside its
// bin folder when installed (the build tree lays them out the same way), or
// in the program's own folder. They open with the desktop's browser.
//
// The constraint: the place is found from the program's own folder, never
// from the working directory, so the editor started from anywhere finds its
// help. The desktop's open action reports success as soon as it has started a
// helper, even for a missing file, so a missing file is found here first and
// reported as not found.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

#include "curves/BilingualText.h"

struct HelpFilePaths {
    QString chinese;
    QString english;
    const QString& For(Language language) const {
        return language == Language::Chinese ? chinese : english;
    }
};

// The two paths in `directory`.
HelpFilePaths HelpFilePathsIn(const QString& directory);

// Folders searched for the help, in order, for a program in `programDirectory`.
QStringList HelpFolderCandidates(const QString& programDirectory);
// The paths in the first candidate folder that holds the English page; the
// first candidate when none does, so that opening reports the file missing.
HelpFilePaths FindHelpFiles(const QString& programDirectory);

// Opens a document; false when it is missing or could not be opened.
using DocumentOpener = std::function<bool(const QString& path)>;
DocumentOpener DesktopDocumentOpener();
