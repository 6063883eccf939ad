// SPDX-License-Identifier: GPL-3.0-or-later
// The modeless window shown while a transfer reads or writes programs: one
// label blinking red and navy while the watched transfer-active flag is set.
// It hides itself on the first tick that finds the flag clear.
//
// The constraint: the user cannot close it (no buttons, Enter and Escape
// swallowed, close ignored); only the flag clearing removes it, so whatever
// ends a transfer must clear the flag.
#pragma once

#include <QDialog>
#include <QTimer>
#include <functional>

#include "curves/BilingualText.h"

class QLabel;

class ProgressWindow : public QDialog {
    Q_OBJECT
  public:
    explicit ProgressWindow(QWidget* parent = nullptr);

    // Watches `transferActive`, moves to (300, 200) and shows; when already
    // visible only the blink timer restarts, so a window the user moved stays put.
    void Start(std::function<bool()> transferActive);
    // One blink step, or hide once the flag is clear.
    void Tick();
    void Relabel(Language language);

    bool IsBlinkRed() const { return blinkRed_; }
    QColor LabelColour() const;
    QString LabelText() const;

    static constexpr int kBlinkIntervalMs = 200;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override {}

  private:
    std::function<bool()> transferActive_;
    bool blinkRed_ = true;
    QLabel* label_;
    QTimer blinkTimer_;
};
