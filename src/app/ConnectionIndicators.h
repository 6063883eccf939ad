// SPDX-License-Identifier: GPL-3.0-or-later
// The connect button and the status lamp of the view. The button names what
// it will do ("Connect" while offline, "Disconnect" while connected, in the
// interface language) on a face coloured by the link state; the lamp shows
// the state alone.
#pragma once

#include <QWidget>

#include "curves/BilingualText.h"

class QLabel;
class QPushButton;

class ConnectionIndicators : public QWidget {
    Q_OBJECT
  public:
    explicit ConnectionIndicators(QWidget* parent = nullptr);

    void Show(bool connected, Language language) { Show(connected, language, connected); }
    // `linkUp` colours the button and the lamp; the button offers to
    // disconnect while a link is open, even one waiting for its reconnect.
    void Show(bool linkUp, Language language, bool linkOpen);
    bool ShowsConnected() const { return connected_; }
    QPushButton* ConnectButton() const { return button_; }

  signals:
    void ConnectPressed();

  private:
    QPushButton* button_;
    QLabel* lamp_;
    bool connected_ = false;
};
