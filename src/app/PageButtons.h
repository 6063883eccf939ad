// SPDX-License-Identifier: GPL-3.0-or-later
// The row of ten page buttons: main, music input EQ, effect EQ, microphone
// input EQ and the six outputs. The button of the current page is drawn
// pressed; a press only asks the view, which decides whether the page changes.
#pragma once

#include <QWidget>
#include <array>

#include "app/AppState.h"
#include "controls/KitButton.h"

class PageButtons : public QWidget {
    Q_OBJECT
  public:
    explicit PageButtons(QWidget* parent = nullptr);

    void ShowCurrent(int page);
    void Relabel(Language language);
    KitButton* Button(int page) const { return buttons_.at(static_cast<size_t>(page)); }

  signals:
    void PagePressed(int page);

  private:
    std::array<KitButton*, kPageCount> buttons_{};
};
