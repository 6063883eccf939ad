// SPDX-License-Identifier: GPL-3.0-or-later
// The About box: the program's title, an icon and an OK button.
#pragma once

#include <QDialog>

#include "curves/BilingualText.h"

class AboutBox : public QDialog {
    Q_OBJECT
  public:
    explicit AboutBox(Language language, QWidget* parent = nullptr);
};
