// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogs/SetupProgramSection.h"

#include <QGroupBox>
#include <QVBoxLayout>

#include "app/ShellTexts.h"
#include "app/dialogs/DialogServices.h"
#include "app/dialogs/SetupSliderField.h"
#include "app/dialogs/SetupTexts.h"
#include "curves/ScaleConversion.h"
#include "model/Audio_Data.h"
#include "model/ChannelIndex.h"

namespace {
constexpr int kNoiseGateId = 2407;
constexpr int kBassAttenuationId = 2408;
constexpr int kHighestNoiseGate = 100;

// Code 100 is 0dB, code 0 is -100dB.
constexpr SliderFieldScale kNoiseGateScale{ScaleType::kDecibelOffset, kHighestNoiseGate, 0.0, 0.0};
// Code 20 is 0.0dB, one code per dB below it.
constexpr SliderFieldScale kBassAttenuationScale{ScaleType::kLinearDecibels,
                                                 CAudio_InData::kMaxBassAttenuation, 1.0,
                                                 double{CAudio_InData::kMaxBassAttenuation}};

QGroupBox* GroupAround(SetupSliderField* field, QWidget* parent) {
    auto* group = new QGroupBox(parent);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(field);
    return group;
}
}  // namespace

SetupProgramSection::SetupProgramSection(DialogServices& services, QWidget* parent)
    : QWidget(parent), services_(services) {
    auto showMessage = [this](const QString& text) { services_.ShowMessage(text); };
    noiseGate_ = new SetupSliderField(kNoiseGateId, kNoiseGateScale, showMessage, this);
    bassAttenuation_ =
        new SetupSliderField(kBassAttenuationId, kBassAttenuationScale, showMessage, this);
    noiseGateGroup_ = GroupAround(noiseGate_, this);
    bassAttenuationGroup_ = GroupAround(bassAttenuation_, this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(noiseGateGroup_);
    layout->addWidget(bassAttenuationGroup_);

    connect(noiseGate_, &SetupSliderField::Changed, this, &SetupProgramSection::SetNoiseGate);
    connect(bassAttenuation_, &SetupSliderField::Changed, this,
            &SetupProgramSection::SetBassAttenuation);
}

void SetupProgramSection::Load() {
    int noiseGate = 0;
    int bassAttenuation = 0;
    services_.EditProgram([&](CAudio_Data& program) {
        noiseGate = program.GetEffect().GetEffectParam(EffectParam::kNoiseGate);
        bassAttenuation = program.GetInput(InputChannel::kMicrophone).GetBassAttenuation();
    });
    noiseGate_->Show(noiseGate);
    bassAttenuation_->Show(bassAttenuation);
}

void SetupProgramSection::SetNoiseGate(int code) {
    services_.EditProgram([code](CAudio_Data& program) {
        program.GetEffect().SetEffectParam(EffectParam::kNoiseGate, static_cast<uint8_t>(code));
    });
}

void SetupProgramSection::SetBassAttenuation(int code) {
    services_.EditProgram([code](CAudio_Data& program) {
        program.GetInput(InputChannel::kMicrophone).SetBassAttenuation(static_cast<uint8_t>(code));
    });
}

void SetupProgramSection::Relabel(Language language) {
    noiseGateGroup_->setTitle(Tr(SetupText::kNoiseGate, language));
    bassAttenuationGroup_->setTitle(Tr(SetupText::kBassAttenuation, language));
    noiseGate_->SetLanguage(language);
    bassAttenuation_->SetLanguage(language);
}
