// SPDX-License-Identifier: GPL-3.0-or-later
// Names a control for the user: the tooltip shown on hovering and the name a
// screen reader speaks, both in the current language. Every control that
// changes the device is described, and described again when the language
// changes or the control comes to stand for another band or output.
#pragma once

#include <QString>
#include <QWidget>
#include <string_view>

#include "curves/BilingualText.h"

inline QString KitText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline QString KitText(const BilingualText& text, Language language) {
    return KitText(text.In(language));
}

// `tip` adds what the control does; the tooltip then reads "name: tip".
inline void Describe(QWidget* control, const QString& name, const QString& tip = {}) {
    control->setAccessibleName(name);
    control->setToolTip(tip.isEmpty() ? name : name + QStringLiteral(": ") + tip);
}

inline void Describe(QWidget* control, const BilingualText& name, Language language) {
    Describe(control, KitText(name, language));
}

inline void Describe(QWidget* control, const BilingualText& name, const BilingualText& tip,
                     Language language) {
    Describe(control, KitText(name, language), KitText(tip, language));
}
