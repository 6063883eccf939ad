// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/OutputMixSection.h"

#include <QGridLayout>

#include "app/ShellTexts.h"
#include "app/dialogs/SetupSliderField.h"
#include "app/pages/PageServices.h"
#include "app/widgets/FieldSizing.h"
#include "controls/Describe.h"
#include "curves/ScaleConversion.h"
#include "model/Audio_Data.h"

namespace {
enum ControlId { kMusicLevelId = 21, kMicLevelId };

constexpr int32_t kMaxMixLevel = 99;

constexpr BilingualText kMusicCaption{"Music", "音乐"};
constexpr BilingualText kMicCaption{"Mic", "话筒"};
constexpr BilingualText kSwitchOn{"ON", "开"};
constexpr BilingualText kSwitchOff{"OFF", "关"};
constexpr BilingualText kMusicSwitchTip{"feeds the music inputs to this output",
                                        "把音乐输入送到本输出"};
constexpr BilingualText kMicSwitchTip{"feeds the microphone to this output", "把话筒送到本输出"};

void RelabelSwitch(KitSwitch& control, const BilingualText& feed, const BilingualText& tip,
                   Language language) {
    control.setText(Tr(feed, language));
    control.SetStateTexts(Tr(kSwitchOn, language), Tr(kSwitchOff, language));
    Describe(&control, feed, tip, language);
}
}  // namespace

OutputMixSection::OutputMixSection(PageServices& services, QWidget* parent)
    : QWidget(parent), services_(services), language_(services.GetLanguage()) {
    const auto showMessage = [this](const QString& text) { services_.ShowMessage(text); };
    const SliderFieldScale percent{ScaleType::kPercent, kMaxMixLevel, 0.0, 0.0};
    musicLevel_ = new SetupSliderField(kMusicLevelId, percent, showMessage, this);
    micLevel_ = new SetupSliderField(kMicLevelId, percent, showMessage, this);
    musicSwitch_ = new KitSwitch(this);
    micSwitch_ = new KitSwitch(this);

    for (SetupSliderField* field : {musicLevel_, micLevel_}) {
        field->SetCaptionWidth(LabelWidthFor(
            *field->Caption(),
            {Tr(kMusicCaption, Language::English), Tr(kMusicCaption, Language::Chinese),
             Tr(kMicCaption, Language::English), Tr(kMicCaption, Language::Chinese)}));
    }

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(musicLevel_, 0, 0);
    layout->addWidget(musicSwitch_, 0, 1);
    layout->addWidget(micLevel_, 1, 0);
    layout->addWidget(micSwitch_, 1, 1);

    connect(musicLevel_, &SetupSliderField::Changed, this, [this](int level) {
        EditOutput([level](CAudio_OutData& out) { out.SetMixMusic(static_cast<uint8_t>(level)); });
    });
    connect(micLevel_, &SetupSliderField::Changed, this, [this](int level) {
        EditOutput([level](CAudio_OutData& out) { out.SetMixMic(static_cast<uint8_t>(level)); });
    });
    connect(musicSwitch_, &KitSwitch::clicked, this, &OutputMixSection::ToggleMusic);
    connect(micSwitch_, &KitSwitch::clicked, this, &OutputMixSection::ToggleMic);
    Relabel(language_);
}

void OutputMixSection::ShowOutput(CAudio_Data* program, int output) {
    program_ = program;
    output_ = output;
    Refresh();
}

void OutputMixSection::Refresh() {
    if (program_ == nullptr || output_ < 0 || output_ >= CAudio_OutRoute::kCount) {
        return;
    }
    const CAudio_OutData& output = program_->GetOutput(output_);
    musicLevel_->Show(output.GetMixMusic());
    micLevel_->Show(output.GetMixMic());
    musicShownOn_ = output.GetMusicOnL() != 0;
    micShownOn_ = output.GetMicOnL() != 0;
    ShowSwitches();
}

void OutputMixSection::Relabel(Language language) {
    language_ = language;
    musicLevel_->SetCaption(Tr(kMusicCaption, language));
    musicLevel_->SetLanguage(language);
    micLevel_->SetCaption(Tr(kMicCaption, language));
    micLevel_->SetLanguage(language);
    ShowSwitches();
}

bool OutputMixSection::EditOutput(const std::function<void(CAudio_OutData& output)>& edit) {
    if (program_ == nullptr || output_ < 0 || output_ >= CAudio_OutRoute::kCount) {
        return false;
    }
    const int shown = output_;
    services_.EditProgram([&](CAudio_Data& program) { edit(program.GetOutput(shown)); });
    emit Edited();
    return true;
}

void OutputMixSection::ToggleMusic() {
    const bool on = !musicShownOn_;
    if (EditOutput([on](CAudio_OutData& out) { out.SetMusicOn(on ? 1 : 0); })) {
        musicShownOn_ = on;
        ShowSwitches();
    }
}

void OutputMixSection::ToggleMic() {
    const bool on = !micShownOn_;
    if (EditOutput([on](CAudio_OutData& out) { out.SetMicOn(on ? 1 : 0); })) {
        micShownOn_ = on;
        ShowSwitches();
    }
}

void OutputMixSection::ShowSwitches() {
    RelabelSwitch(*musicSwitch_, kMusicCaption, kMusicSwitchTip, language_);
    RelabelSwitch(*micSwitch_, kMicCaption, kMicSwitchTip, language_);
    musicSwitch_->SetOn(musicShownOn_);
    micSwitch_->SetOn(micShownOn_);
}
