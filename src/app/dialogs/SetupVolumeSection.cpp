// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogs/SetupVolumeSection.h"

#include <QPushButton>
#include <QVBoxLayout>

#include "app/ShellTexts.h"
#include "app/dialogs/DialogServices.h"
#include "app/dialogs/PresetGroupTexts.h"
#include "app/dialogs/SetupSliderField.h"
#include "app/dialogs/SetupTexts.h"
#include "app/dialogs/SetupVolumeRules.h"
#include "curves/ScaleConversion.h"

namespace {
// Control numbers of the boxes; only this group tells them apart.
constexpr std::array<int, 3> kMaximumIds{2401, 2402, 2403};
constexpr std::array<int, 3> kStartIds{2404, 2405, 2406};

constexpr std::array<BilingualText, 3> kMaximumCaptions{
    SetupText::kEffectMaximum, SetupText::kMicrophoneMaximum, SetupText::kMusicMaximum};
constexpr std::array<BilingualText, 3> kStartCaptions{
    SetupText::kEffectStart, SetupText::kMicrophoneStart, SetupText::kMusicStart};

// Plain whole codes: "%0.0f" of the code itself.
constexpr SliderFieldScale kVolumeScale{ScaleType::kLinearWhole, kHighestSetupVolume, 1.0, 0.0};
}  // namespace

SetupVolumeSection::SetupVolumeSection(DialogServices& services, QWidget* parent)
    : QGroupBox(parent),
      services_(services),
      language_(services.GetLanguage()),
      applyButton_(new QPushButton(this)) {
    auto showMessage = [this](const QString& text) { services_.ShowMessage(text); };
    auto* layout = new QVBoxLayout(this);
    for (size_t index = 0; index < kVolumeChannels.size(); ++index) {
        maximums_[index] =
            new SetupSliderField(kMaximumIds[index], kVolumeScale, showMessage, this);
        layout->addWidget(maximums_[index]);
    }
    for (size_t index = 0; index < kVolumeChannels.size(); ++index) {
        starts_[index] = new SetupSliderField(kStartIds[index], kVolumeScale, showMessage, this);
        layout->addWidget(starts_[index]);
    }
    for (VolumeChannel channel : kVolumeChannels) {
        connect(MaximumField(channel), &SetupSliderField::Changed, this,
                [this, channel] { KeepStartBelowMaximum(channel, true); });
        connect(StartField(channel), &SetupSliderField::Changed, this,
                [this, channel] { KeepStartBelowMaximum(channel, false); });
    }
    applyButton_->setAutoDefault(false);
    layout->addWidget(applyButton_);
    connect(applyButton_, &QPushButton::clicked, this, &SetupVolumeSection::Apply);
}

void SetupVolumeSection::Load() {
    const SystemData& system = services_.System();
    for (VolumeChannel channel : kVolumeChannels) {
        MaximumField(channel)->Show(system.MaximumVolume(channel));
        StartField(channel)->Show(system.StartVolume(channel));
    }
}

void SetupVolumeSection::KeepStartBelowMaximum(VolumeChannel channel, bool maximumMoved) {
    SetupSliderField* maximum = MaximumField(channel);
    SetupSliderField* start = StartField(channel);
    if (maximumMoved) {
        maximum->Show(MaximumAfterChange(maximum->Value(), start->Value()));
    } else {
        start->Show(StartAfterChange(start->Value(), maximum->Value()));
    }
}

void SetupVolumeSection::Apply() {
    SystemData& system = services_.System();
    services_.EditProgram([&](CAudio_Data&) {
        for (VolumeChannel channel : kVolumeChannels) {
            system.SetMaximumVolume(channel, static_cast<uint8_t>(MaximumField(channel)->Value()));
            system.SetStartVolume(channel, static_cast<uint8_t>(StartField(channel)->Value()));
        }
        LowerCurrentVolumesToMaximum(system);
    });
    services_.RefreshVolumes();
    // Success is the processor's to confirm; offline there is nobody to.
    if (!services_.IsConnected()) {
        services_.ShowMessage(Tr(PresetGroupText::kNotConnected, language_));
        return;
    }
    std::vector<int> items;
    for (VolumeChannel channel : kVolumeChannels) {
        items.push_back(SystemData::VolumeItem(channel));
    }
    services_.WriteSystemItems(
        items, [](Language language) { return Tr(SetupText::kVolumesApplied, language); });
}

void SetupVolumeSection::Relabel(Language language) {
    language_ = language;
    setTitle(Tr(SetupText::kVolumeGroup, language));
    for (size_t index = 0; index < kVolumeChannels.size(); ++index) {
        maximums_[index]->SetCaption(Tr(kMaximumCaptions[index], language));
        maximums_[index]->SetLanguage(language);
        starts_[index]->SetCaption(Tr(kStartCaptions[index], language));
        starts_[index]->SetLanguage(language);
    }
    applyButton_->setText(Tr(SetupText::kApplyVolumes, language));
}
