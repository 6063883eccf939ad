// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/EffectCrossoverFields.h"

#include <QHBoxLayout>
#include <QLabel>
#include <algorithm>

#include "app/ShellTexts.h"
#include "app/widgets/FieldSizing.h"
#include "app/widgets/NumEdit.h"
#include "app/widgets/SpinButtons.h"
#include "curves/ScaleConversion.h"

namespace {
constexpr int kHighPassControlId = 2450;
constexpr int kLowPassControlId = 2451;
constexpr int kHighPassElement = 3;
constexpr int kLowPassElement = 4;
constexpr int kLowestFrequency = 20;

void SetUpBox(CNumEdit& box, int32_t scaleType, int32_t code,
              const EffectCrossoverFields::MessageFunction& showMessage) {
    box.SetRange(kLowestFrequency, kTopFrequency);
    box.SetScaleType(scaleType);
    box.SetValue(code);
    box.SetMessageSink(showMessage);
    box.setAlignment(Qt::AlignRight);
    FitEditBox(box, {QStringLiteral("20000")});
}
}  // namespace

int LimitHighPassFrequency(int requested, int lowPassFrequency) {
    return std::min(requested, lowPassFrequency);
}

int LimitLowPassFrequency(int requested, int highPassFrequency) {
    return std::max(requested, highPassFrequency);
}

EffectCrossoverFields::EffectCrossoverFields(MessageFunction showMessage, QWidget* parent)
    : QWidget(parent),
      highPassLabel_(new QLabel(this)),
      highPass_(new CNumEdit(kHighPassControlId, this)),
      highPassSpin_(new CSpinButtons(*highPass_, this)),
      lowPassLabel_(new QLabel(this)),
      lowPass_(new CNumEdit(kLowPassControlId, this)),
      lowPassSpin_(new CSpinButtons(*lowPass_, this)) {
    SetUpBox(*highPass_, ScaleType::kHighPassFrequency, kLowestFrequency, showMessage);
    SetUpBox(*lowPass_, ScaleType::kLowPassFrequency, kTopFrequency, showMessage);
    highPassSpin_->SetFrequencyMode(true);
    lowPassSpin_->SetFrequencyMode(true);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget* widget : std::initializer_list<QWidget*>{highPassLabel_, highPass_, highPassSpin_,
                                                           lowPassLabel_, lowPass_, lowPassSpin_}) {
        layout->addWidget(widget);
    }
    layout->addStretch();

    connect(highPass_, &CNumEdit::Committed, this, [this] { TakeHighPass(); });
    connect(lowPass_, &CNumEdit::Committed, this, [this] { TakeLowPass(); });
}

void EffectCrossoverFields::ShowFrequencies(int highPass, int lowPass) {
    highPass_->ShowHeldValue(highPass);
    lowPass_->ShowHeldValue(lowPass);
}

void EffectCrossoverFields::Relabel(Language language) {
    highPassLabel_->setText(Tr({"HPF", "高通"}, language));
    lowPassLabel_->setText(Tr({"LPF", "低通"}, language));
    for (CNumEdit* box : {highPass_, lowPass_}) {
        box->SetLanguage(language);
    }
}

void EffectCrossoverFields::TakeHighPass() {
    const int frequency = LimitHighPassFrequency(highPass_->GetValue(), lowPass_->GetValue());
    highPass_->SetValue(frequency);
    emit FrequencyEdited(kHighPassElement, frequency);
}

void EffectCrossoverFields::TakeLowPass() {
    const int frequency = LimitLowPassFrequency(lowPass_->GetValue(), highPass_->GetValue());
    lowPass_->SetValue(frequency);
    emit FrequencyEdited(kLowPassElement, frequency);
}
