// SPDX-License-Identifier: GPL-3.0-or-later
// The microphone's crossover frequencies on the input EQ page: a high-pass
// and a low-pass box with spin arrows. The section shows and reports; the
// page decides whether a new frequency is taken.
//
// The constraint: a refused frequency must leave the box showing the
// filter's frequency, so the page always answers an edit with `Show`.
#pragma once

#include <QWidget>

#include "app/widgets/NumEdit.h"
#include "curves/BilingualText.h"

class CSpinButtons;
class QLabel;

class InputEqCrossover : public QWidget {
    Q_OBJECT

  public:
    explicit InputEqCrossover(QWidget* parent = nullptr);

    void Show(int highPassHertz, int lowPassHertz);
    void SetMessageSink(const CNumEdit::MessageFunction& sink);
    void Relabel(Language language);

    CNumEdit& HighPass() const { return *highPass_; }
    CNumEdit& LowPass() const { return *lowPass_; }
    CSpinButtons& HighPassSpin() const { return *highPassSpin_; }
    CSpinButtons& LowPassSpin() const { return *lowPassSpin_; }

  signals:
    void HighPassEdited(int hertz);
    void LowPassEdited(int hertz);

  private:
    QLabel* highPassLabel_;
    CNumEdit* highPass_;
    CSpinButtons* highPassSpin_;
    QLabel* lowPassLabel_;
    CNumEdit* lowPass_;
    CSpinButtons* lowPassSpin_;
};
