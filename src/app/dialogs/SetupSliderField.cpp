// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogs/SetupSliderField.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <algorithm>

#include "app/widgets/FieldSizing.h"
#include "app/widgets/NumEdit.h"
#include "app/widgets/SpinButtons.h"
#include "controls/KitSlider.h"

SetupSliderField::SetupSliderField(int controlId, const SliderFieldScale& scale,
                                   MessageFunction showMessage, QWidget* parent)
    : QWidget(parent),
      caption_(new QLabel(this)),
      slider_(new KitSlider(this)),
      box_(new CNumEdit(controlId, this)),
      arrows_(new CSpinButtons(*box_, this)) {
    slider_->setRange(0, scale.maximum);
    box_->SetStep(scale.step);
    box_->SetOffset(scale.offset);
    box_->SetRange(0, scale.maximum);
    box_->SetScaleType(scale.scaleType);
    box_->SetValue(0);
    box_->SetMessageSink(std::move(showMessage));
    box_->setAlignment(Qt::AlignRight);
    FitNumberBox(*box_);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(caption_);
    layout->addWidget(slider_, 1);
    layout->addWidget(box_);
    layout->addWidget(arrows_);

    connect(slider_, &QSlider::valueChanged, this, &SetupSliderField::TakeFromSlider);
    connect(box_, &CNumEdit::Committed, this, [this] { TakeFromBox(); });
}

void SetupSliderField::Show(int code) {
    value_ = code;
    showing_ = true;
    slider_->setValue(std::clamp(code, slider_->minimum(), slider_->maximum()));
    box_->ShowHeldValue(code);
    showing_ = false;
}

void SetupSliderField::SetCaptionWidth(int width) {
    caption_->setFixedWidth(width);
}

void SetupSliderField::FitBoxTo(const QStringList& alsoFits) {
    FitNumberBox(*box_, alsoFits);
}

void SetupSliderField::SetCaption(const QString& caption) {
    caption_->setText(caption);
}

void SetupSliderField::SetLanguage(Language language) {
    box_->SetLanguage(language);
}

void SetupSliderField::TakeFromSlider(int position) {
    if (showing_) {
        return;
    }
    value_ = position;
    box_->SetValue(position);
    emit Changed(position);
}

void SetupSliderField::TakeFromBox() {
    const int code = box_->GetValue();
    Show(code);
    emit Changed(value_);
}
