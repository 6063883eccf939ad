// SPDX-License-Identifier: GPL-3.0-or-later
// Where the view's messages and questions to the user go: modal boxes in the
// running editor, a list with scripted answers in tests.
//
// The constraint: every message and question the shell shows goes through
// one sink, so a test never meets a modal box that would wait for a click.
// The questions' default answers go ahead, as a user who always agrees would.
#pragma once

#include <QString>

#include "curves/BilingualText.h"

class QWidget;

// What to do with unsaved work that is about to be replaced.
enum class UnsavedChoice { Save, Discard, Cancel };

// What connecting does with a program changed while offline.
enum class ConnectChoice { TakeDeviceProgram, KeepEditorProgram, StayOffline };

class MessageSink {
  public:
    virtual ~MessageSink() = default;
    virtual void Show(const QString& text) = 0;
    // A failure (a link that would not open or was lost): shown with the stop icon.
    virtual void ShowFailure(const QString& text) { Show(text); }
    // OK or Cancel; true for OK.
    virtual bool Confirm(const QString& /*text*/) { return true; }
    virtual UnsavedChoice AskAboutUnsavedWork(const QString& /*text*/) {
        return UnsavedChoice::Discard;
    }
    virtual ConnectChoice AskOnConnect(const QString& /*text*/) {
        return ConnectChoice::TakeDeviceProgram;
    }
};

class MessageBoxSink : public MessageSink {
  public:
    explicit MessageBoxSink(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }
    // The language the question buttons are captioned in, read when each is asked.
    void SetLanguage(const Language* language) { language_ = language; }
    void Show(const QString& text) override;
    void ShowFailure(const QString& text) override;
    bool Confirm(const QString& text) override;
    UnsavedChoice AskAboutUnsavedWork(const QString& text) override;
    ConnectChoice AskOnConnect(const QString& text) override;

  private:
    QString Caption(const BilingualText& text) const;

    QWidget* parent_;
    const Language* language_ = nullptr;
};
