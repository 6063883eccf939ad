// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/InputEqCrossover.h"

#include <QGridLayout>
#include <QLabel>

#include "app/pages/EqBandTableEdits.h"
#include "app/widgets/FieldSizing.h"
#include "app/widgets/SpinButtons.h"
#include "curves/ScaleConversion.h"

namespace {
constexpr int kHighPassControlId = 2900;
constexpr int kLowPassControlId = 2901;
constexpr BilingualText kHighPassText{"High Pass", "高通"};
constexpr BilingualText kLowPassText{"Low Pass", "低通"};

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

CNumEdit* MakeFrequencyBox(int controlId, int32_t scaleType, int32_t initial, QWidget* parent) {
    auto* box = new CNumEdit(controlId, parent);
    box->SetScaleType(scaleType);
    box->SetRange(kLowestBandFrequency, kHighestBandFrequency);
    box->SetValue(initial);
    box->setAlignment(Qt::AlignRight);
    FitEditBox(*box, {QStringLiteral("20000")});
    return box;
}

CSpinButtons* MakeFrequencySpin(CNumEdit& box, QWidget* parent) {
    auto* spin = new CSpinButtons(box, parent);
    spin->SetFrequencyMode(true);
    return spin;
}
}  // namespace

InputEqCrossover::InputEqCrossover(QWidget* parent)
    : QWidget(parent),
      highPassLabel_(new QLabel(this)),
      highPass_(MakeFrequencyBox(kHighPassControlId, ScaleType::kHighPassFrequency,
                                 kLowestBandFrequency, this)),
      highPassSpin_(MakeFrequencySpin(*highPass_, this)),
      lowPassLabel_(new QLabel(this)),
      lowPass_(MakeFrequencyBox(kLowPassControlId, ScaleType::kLowPassFrequency,
                                kHighestBandFrequency, this)),
      lowPassSpin_(MakeFrequencySpin(*lowPass_, this)) {
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(highPassLabel_, 0, 0);
    layout->addWidget(highPass_, 0, 1);
    layout->addWidget(highPassSpin_, 0, 2);
    layout->addWidget(lowPassLabel_, 1, 0);
    layout->addWidget(lowPass_, 1, 1);
    layout->addWidget(lowPassSpin_, 1, 2);
    connect(highPass_, &CNumEdit::Committed, this,
            [this] { emit HighPassEdited(highPass_->GetValue()); });
    connect(lowPass_, &CNumEdit::Committed, this,
            [this] { emit LowPassEdited(lowPass_->GetValue()); });
    Relabel(Language::Chinese);
}

void InputEqCrossover::Show(int highPassHertz, int lowPassHertz) {
    highPass_->ShowHeldValue(highPassHertz);
    lowPass_->ShowHeldValue(lowPassHertz);
}

void InputEqCrossover::SetMessageSink(const CNumEdit::MessageFunction& sink) {
    highPass_->SetMessageSink(sink);
    lowPass_->SetMessageSink(sink);
}

void InputEqCrossover::Relabel(Language language) {
    highPassLabel_->setText(Text(kHighPassText.In(language)));
    lowPassLabel_->setText(Text(kLowPassText.In(language)));
    highPass_->SetLanguage(language);
    lowPass_->SetLanguage(language);
}
