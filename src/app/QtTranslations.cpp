// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

QtTranslations::QtTranslations() : chinese_(std::make_unique<QTranslator>()) {
    loaded_ = chinese_->load(QStringLiteral("qtbase_zh_CN"),
                             QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

QtTranslations::~QtTranslations() {
    Apply(Language::English);
}

void QtTranslations::Apply(Language language) {
    const bool wanted = language == Language::Chinese && loaded_;
    if (wanted == installed_ || QCoreApplication::instance() == nullptr) {
        return;
    }
    if (wanted) {
        QCoreApplication::installTranslator(chinese_.get());
    } else {
        QCoreApplication::removeTranslator(chinese_.get());
    }
    installed_ = wanted;
}
