// SPDX-License-Identifier: GPL-3.0-or-later
// What the view asks of each of its four pages: show a channel of the
// program, refresh every control from the program, and switch language.
//
// The constraint: a page is made once and reused; the input EQ page serves
// two channels and the output page six, so a page must take the program and
// channel on every ShowChannel instead of keeping what it was made with.
#pragma once

#include <QWidget>

#include "curves/BilingualText.h"

class CAudio_Data;

class Page : public QWidget {
    Q_OBJECT
  public:
    using QWidget::QWidget;

    virtual void ShowChannel(CAudio_Data* program, int channel) = 0;
    virtual void Refresh() = 0;
    virtual void Relabel(Language language) = 0;
};
