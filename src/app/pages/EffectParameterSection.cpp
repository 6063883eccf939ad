// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/EffectParameterSection.h"

#include <QGridLayout>
#include <QLabel>

#include "app/ShellTexts.h"
#include "app/dialogs/SetupSliderField.h"
#include "app/widgets/FieldSizing.h"
#include "model/Audio_EffectData.h"

namespace {
// Control numbers of the boxes, one per parameter byte.
constexpr int kFirstBoxControlId = 2400;
}  // namespace

EffectParameterSection::EffectParameterSection(MessageFunction showMessage, QWidget* parent)
    : QWidget(parent) {
    auto* grid = new QGridLayout(this);
    std::array<int, kEffectParameterColumns> rowsUsed{};
    for (int column = 0; column < kEffectParameterColumns; ++column) {
        headings_.at(static_cast<size_t>(column)) = new QLabel(this);
        grid->addWidget(headings_.at(static_cast<size_t>(column)), 0, column);
    }
    for (size_t index = 0; index < fields_.size(); ++index) {
        const EffectParameterControl& control = kEffectParameterControlTable.at(index);
        auto* field = new SetupSliderField(
            kFirstBoxControlId + control.param,
            SliderFieldScale{control.scaleType, control.maximum, 0.0, 0.0}, showMessage, this);
        fields_.at(index) = field;
        int& row = rowsUsed.at(static_cast<size_t>(control.column));
        grid->addWidget(field, ++row, control.column);
        const int param = control.param;
        connect(field, &SetupSliderField::Changed, this,
                [this, param](int code) { emit ParameterChanged(param, code); });
    }
    grid->setRowStretch(grid->rowCount(), 1);
    // One caption width for every field, so that the sliders of a column
    // start at one x whatever the language.
    QStringList captions;
    for (const EffectParameterControl& control : kEffectParameterControlTable) {
        captions << Tr(control.label, Language::English) << Tr(control.label, Language::Chinese);
    }
    for (SetupSliderField* field : fields_) {
        field->SetCaptionWidth(LabelWidthFor(*field->Caption(), captions));
    }
}

void EffectParameterSection::ShowValues(const CAudio_EffectData& effect) {
    for (size_t index = 0; index < fields_.size(); ++index) {
        fields_.at(index)->Show(
            effect.GetEffectParam(kEffectParameterControlTable.at(index).param));
    }
}

void EffectParameterSection::Relabel(Language language) {
    for (size_t column = 0; column < headings_.size(); ++column) {
        headings_.at(column)->setText(Tr(kEffectParameterColumnHeadings.at(column), language));
    }
    for (size_t index = 0; index < fields_.size(); ++index) {
        fields_.at(index)->SetCaption(Tr(kEffectParameterControlTable.at(index).label, language));
        fields_.at(index)->SetLanguage(language);
    }
}

SetupSliderField* EffectParameterSection::Field(int param) const {
    for (size_t index = 0; index < fields_.size(); ++index) {
        if (kEffectParameterControlTable.at(index).param == param) {
            return fields_.at(index);
        }
    }
    return nullptr;
}
