// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's one document: the program every page edits. It lives for the
// whole run; loading a file changes the program in place, so every page may
// keep pointing at it.
#pragma once

#include <QString>

#include "model/Audio_Data.h"

class CAudioDoc {
  public:
    CAudio_Data& Program() { return program_; }
    // A new document has no title.
    const QString& Title() const { return title_; }
    void SetTitle(const QString& title) { title_ = title; }
    // The file the program was last opened from or saved to; empty for none.
    const QString& FilePath() const { return filePath_; }
    void SetFilePath(const QString& path) { filePath_ = path; }

  private:
    CAudio_Data program_;
    QString title_;
    QString filePath_;
};
