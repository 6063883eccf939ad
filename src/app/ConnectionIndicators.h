// SPDX-License-Identifier: GPL-3.0-or-later
// The connect button and the status lamp of the view. Both show one of two
// pictures, connected or not; the button's pictures also follow the language.
// No text reports the state.
#pragma once

#include <QWidget>

#include "curves/BilingualText.h"

class QLabel;
class QPushButton;

class ConnectionIndicators : public QWidget {
    Q_OBJECT
  public:
    explicit ConnectionIndicators(QWidget* parent = nullptr);

    void Show(bool connected, Language language);
    bool ShowsConnected() const { return connected_; }
    QPushButton* ConnectButton() const { return button_; }

  signals:
    void ConnectPressed();

  private:
    QPushButton* button_;
    QLabel* lamp_;
    bool connected_ = false;
};
