// SPDX-License-Identifier: GPL-3.0-or-later
// The high-pass and low-pass frequency boxes of the effect EQ. The family and
// slope of the effect's filters are fixed, so only the frequencies show.
//
// The constraint: the two filters never cross. A high-pass typed above the
// low-pass is lowered to it and a low-pass typed below the high-pass raised
// to it before the page hears of the edit, and the box shows the result.
#pragma once

#include <QWidget>
#include <functional>

class CAudio_EffectData;
class CNumEdit;
class CSpinButtons;
class QLabel;

#include "curves/BilingualText.h"

// The frequency a crossover filter takes when `requested` is asked of it.
int LimitHighPassFrequency(int requested, int lowPassFrequency);
int LimitLowPassFrequency(int requested, int highPassFrequency);

class EffectCrossoverFields : public QWidget {
    Q_OBJECT
  public:
    using MessageFunction = std::function<void(const QString& text)>;

    explicit EffectCrossoverFields(MessageFunction showMessage, QWidget* parent = nullptr);

    void ShowFrequencies(int highPass, int lowPass);
    void Relabel(Language language);

    CNumEdit& HighPass() const { return *highPass_; }
    CNumEdit& LowPass() const { return *lowPass_; }
    CSpinButtons& HighPassSpin() const { return *highPassSpin_; }
    CSpinButtons& LowPassSpin() const { return *lowPassSpin_; }

  signals:
    // `element` is the filter's place in the chain (3 high-pass, 4 low-pass).
    void FrequencyEdited(int element, int frequency);

  private:
    void TakeHighPass();
    void TakeLowPass();

    QLabel* highPassLabel_;
    CNumEdit* highPass_;
    CSpinButtons* highPassSpin_;
    QLabel* lowPassLabel_;
    CNumEdit* lowPass_;
    CSpinButtons* lowPassSpin_;
};
