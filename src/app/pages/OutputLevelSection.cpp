// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/OutputLevelSection.h"

#include <QGridLayout>
#include <QPushButton>

#include "app/ShellTexts.h"
#include "app/dialogs/SetupSliderField.h"
#include "app/pages/OutputLevelLimiter.h"
#include "app/pages/OutputLevelTexts.h"
#include "app/pages/PageServices.h"
#include "app/widgets/FieldSizing.h"
#include "app/widgets/NumEdit.h"
#include "model/Audio_Data.h"

namespace {
enum ControlId { kGainId = 11, kDelayId };
}  // namespace

OutputLevelSection::OutputLevelSection(PageServices& services, QWidget* parent)
    : QWidget(parent), services_(services), language_(services.GetLanguage()) {
    const auto showMessage = [this](const QString& text) { services_.ShowMessage(text); };
    gain_ = new SetupSliderField(kGainId,
                                 {ScaleType::kLinearWhole, kMaxGainCode, kGainStep, kGainOffset},
                                 showMessage, this);
    delay_ = new SetupSliderField(kDelayId, {DelayScaleType(delayUnit_), kMaxDelayCode, 0.0, 0.0},
                                  showMessage, this);
    delayUnitButton_ = new QPushButton(this);
    limiter_ = new OutputLevelLimiter(showMessage, this);

    delay_->FitBoxTo({QStringLiteral("000.000")});
    for (SetupSliderField* field : {gain_, delay_}) {
        field->SetCaptionWidth(LabelWidthFor(
            *field->Caption(),
            {Tr(kGainCaption, Language::English), Tr(kGainCaption, Language::Chinese),
             Tr(kDelayCaption, Language::English), Tr(kDelayCaption, Language::Chinese)}));
    }

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(gain_, 0, 0);
    layout->addWidget(delay_, 1, 0);
    layout->addWidget(delayUnitButton_, 1, 1);
    layout->addWidget(limiter_, 2, 0, 1, 2);

    connect(gain_, &SetupSliderField::Changed, this,
            [this](int code) { EditOutput([code](CAudio_OutData& out) { out.SetGain(code); }); });
    connect(delay_, &SetupSliderField::Changed, this,
            [this](int code) { EditOutput([code](CAudio_OutData& out) { out.SetDelay(code); }); });
    connect(delayUnitButton_, &QPushButton::clicked, this, &OutputLevelSection::StepDelayUnit);
    connect(limiter_, &OutputLevelLimiter::ThresholdChanged, this, [this](int code) {
        EditOutput([code](CAudio_OutData& out) { out.SetLimiterThreshold(code); });
    });
    connect(limiter_, &OutputLevelLimiter::AttackChanged, this, [this](int code) {
        EditOutput([code](CAudio_OutData& out) { out.SetLimiterAttack(code); });
    });
    connect(limiter_, &OutputLevelLimiter::ReleaseChanged, this, [this](int code) {
        EditOutput([code](CAudio_OutData& out) { out.SetLimiterRelease(code); });
    });
    Relabel(language_);
}

void OutputLevelSection::ShowOutput(CAudio_Data* program, int output) {
    program_ = program;
    output_ = output;
    Refresh();
}

void OutputLevelSection::Refresh() {
    if (program_ == nullptr || output_ < 0 || output_ >= CAudio_OutRoute::kCount) {
        return;
    }
    const CAudio_OutData& output = program_->GetOutput(output_);
    gain_->Show(output.GetGain());
    delay_->Show(output.GetDelay());
    limiter_->Show(output.GetLimiterThreshold(), output.GetLimiterAttack(),
                   output.GetLimiterRelease());
}

void OutputLevelSection::Relabel(Language language) {
    language_ = language;
    gain_->SetCaption(Tr(kGainCaption, language));
    gain_->SetLanguage(language);
    delay_->SetCaption(Tr(kDelayCaption, language));
    delay_->SetLanguage(language);
    limiter_->Relabel(language);
    ShowDelayUnit();
}

void OutputLevelSection::EditOutput(const std::function<void(CAudio_OutData& output)>& edit) {
    if (program_ == nullptr || output_ < 0 || output_ >= CAudio_OutRoute::kCount) {
        return;
    }
    const int shown = output_;
    services_.EditProgram([&](CAudio_Data& program) { edit(program.GetOutput(shown)); });
    emit Edited();
}

void OutputLevelSection::StepDelayUnit() {
    delayUnit_ = NextDelayUnit(delayUnit_);
    // The box shows the same code in the new unit; the output is untouched.
    delay_->Box()->SetScaleType(DelayScaleType(delayUnit_));
    ShowDelayUnit();
}

void OutputLevelSection::ShowDelayUnit() {
    delayUnitButton_->setText(Tr(DelayUnitCaption(delayUnit_), language_));
}
