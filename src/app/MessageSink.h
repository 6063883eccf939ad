// SPDX-License-Identifier: GPL-3.0-or-later
// Where the view's messages to the user go: a modal box with an OK button in
// the running editor, a list in tests.
//
// The constraint: every message the shell shows goes through one sink, so a
// test never meets a modal box that would wait for a click.
#pragma once

#include <QString>

class QWidget;

class MessageSink {
  public:
    virtual ~MessageSink() = default;
    virtual void Show(const QString& text) = 0;
    // A failure (a link that would not open or was lost): shown with the stop icon.
    virtual void ShowFailure(const QString& text) { Show(text); }
};

class MessageBoxSink : public MessageSink {
  public:
    explicit MessageBoxSink(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }
    void Show(const QString& text) override;
    void ShowFailure(const QString& text) override;

  private:
    QWidget* parent_;
};
