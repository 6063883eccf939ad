// SPDX-License-Identifier: GPL-3.0-or-later
// The help documents: "CH_Help.chm" and "EN_Help.chm" in the directory that
// was current when the view started, opened with the desktop's open action.
//
// The constraint: the desktop's open action reports success as soon as it
// has started a helper, even for a missing file, so a missing file is found
// here first and reported as not found.
#pragma once

#include <QString>
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

// Opens a document; false when it is missing or could not be opened.
using DocumentOpener = std::function<bool(const QString& path)>;
DocumentOpener DesktopDocumentOpener();
