// SPDX-License-Identifier: GPL-3.0-or-later
// Qt's own texts (the buttons of message boxes, the file dialogs) in the
// interface language: Qt's Chinese translations are installed while the
// interface is Chinese and removed again for English.
//
// The constraint: the translations come with Qt, not with the editor; where
// they are missing Qt's texts stay English, and nothing else fails.
#pragma once

#include <memory>

#include "curves/BilingualText.h"

class QTranslator;

class QtTranslations {
  public:
    QtTranslations();
    ~QtTranslations();
    QtTranslations(const QtTranslations&) = delete;
    QtTranslations& operator=(const QtTranslations&) = delete;

    void Apply(Language language);
    // True when Qt's Chinese texts were found and are in use.
    bool ChineseInstalled() const { return installed_; }

  private:
    std::unique_ptr<QTranslator> chinese_;
    bool loaded_ = false;
    bool installed_ = false;
};
