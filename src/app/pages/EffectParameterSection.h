// SPDX-License-Identifier: GPL-3.0-or-later
// The reverb and echo columns of the effect page: for each effect parameter
// a slider whose position is the code and a number box with arrows on the
// parameter's scale, always showing the same code.
//
// The constraint: the section only reports `ParameterChanged`; the page
// writes the model under the queue lock. Showing values reports nothing.
#pragma once

#include <QWidget>
#include <array>
#include <functional>

#include "app/pages/EffectParameterTable.h"

class CAudio_EffectData;
class QLabel;
class SetupSliderField;

class EffectParameterSection : public QWidget {
    Q_OBJECT
  public:
    using MessageFunction = std::function<void(const QString& text)>;

    // Range messages of the boxes go to `showMessage`.
    EffectParameterSection(MessageFunction showMessage, QWidget* parent = nullptr);

    void ShowValues(const CAudio_EffectData& effect);
    void Relabel(Language language);

    // The field editing effect byte `param`, or null for bytes not on the page.
    SetupSliderField* Field(int param) const;

  signals:
    void ParameterChanged(int param, int code);

  private:
    std::array<SetupSliderField*, kEffectParameterControls> fields_{};
    std::array<QLabel*, kEffectParameterColumns> headings_{};
};
