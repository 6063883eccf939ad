// SPDX-License-Identifier: GPL-3.0-or-later
// The connection lamp: a filled green disc with a bright ring while a link is
// open, a hollow red ring with a bar across while none is. Shape and colour
// both tell the state.
#pragma once

#include <QWidget>

class KitLamp : public QWidget {
    Q_OBJECT
  public:
    explicit KitLamp(QWidget* parent = nullptr);

    void SetLit(bool lit);
    bool IsLit() const { return lit_; }

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    bool lit_ = false;
};
