// SPDX-License-Identifier: GPL-3.0-or-later
// The kit's push button, painted without images: a rounded face with its
// text, sunken and filled with the accent colour while pressed or while it
// stands for the current choice (a page button of the shown page). Its size
// follows its text, so a translation never cuts a caption.
#pragma once

#include <QAbstractButton>

class KitButton : public QAbstractButton {
    Q_OBJECT
  public:
    enum class Look {
        Command,  // the view's command row and the dialogs
        Page,     // a page button; checked while its page is shown
        Block,    // a button laid over a block of the signal-flow picture
        Small,    // the -/+ of the volume strip and similar single signs
    };

    explicit KitButton(Look look = Look::Command, QWidget* parent = nullptr);
    KitButton(const QString& text, Look look, QWidget* parent = nullptr);

    Look GetLook() const { return look_; }
    // Checked, but a click does not uncheck it: the owner says what is current.
    void SetShowsChoice(bool showsChoice);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void nextCheckState() override;

  private:
    Look look_;
};
