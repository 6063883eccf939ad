// SPDX-License-Identifier: GPL-3.0-or-later
// The two program values the setup dialog edits: the noise gate (effect
// parameter byte 5, shown from -100dB to 0dB) and the microphone's bass
// attenuation (shown from -20.0dB to 0.0dB). Unlike the volumes they take
// effect at once: every move goes into the program, which sends the changed
// row itself.
#pragma once

#include <QWidget>

#include "curves/BilingualText.h"

class DialogServices;
class QGroupBox;
class SetupSliderField;

class SetupProgramSection : public QWidget {
    Q_OBJECT
  public:
    SetupProgramSection(DialogServices& services, QWidget* parent = nullptr);

    void Load();
    void Relabel(Language language);

    SetupSliderField* NoiseGateField() const { return noiseGate_; }
    SetupSliderField* BassAttenuationField() const { return bassAttenuation_; }

  private:
    void SetNoiseGate(int code);
    void SetBassAttenuation(int code);

    DialogServices& services_;
    QGroupBox* noiseGateGroup_;
    QGroupBox* bassAttenuationGroup_;
    SetupSliderField* noiseGate_;
    SetupSliderField* bassAttenuation_;
};
