// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/OutputCrossoverRow.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>

#include "app/ShellTexts.h"
#include "app/pages/OutputCrossoverEdits.h"
#include "app/pages/OutputPageTexts.h"
#include "app/widgets/FieldSizing.h"
#include "app/widgets/SpinButtons.h"
#include "model/Filter.h"

OutputCrossoverRow::OutputCrossoverRow(int controlId, int scaleType, int initialHertz,
                                       BilingualText caption, QWidget* parent)
    : QWidget(parent),
      captionText_(caption),
      caption_(new QLabel(this)),
      frequency_(new CNumEdit(controlId, this)),
      frequencySpin_(new CSpinButtons(*frequency_, this)),
      slope_(new QComboBox(this)),
      family_(new QComboBox(this)) {
    frequency_->SetRange(kLowestCrossoverFrequency, kHighestCrossoverFrequency);
    frequency_->SetScaleType(scaleType);
    frequency_->SetValue(initialHertz);
    frequencySpin_->SetFrequencyMode(true);
    frequency_->setAlignment(Qt::AlignRight);
    FitEditBox(*frequency_, {QStringLiteral("20000")});
    for (const char* text : OutputPageText::kCrossoverSlopes) {
        slope_->addItem(QString::fromUtf8(text));
    }

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(caption_);
    layout->addWidget(frequency_);
    layout->addWidget(frequencySpin_);
    layout->addWidget(slope_);
    layout->addWidget(family_);
    layout->addStretch();
    QStringList slopes;
    for (const char* text : OutputPageText::kCrossoverSlopes) {
        slopes << QString::fromUtf8(text);
    }
    FitDropDown(*slope_, slopes);
    QStringList families;
    for (const BilingualText& name : OutputPageText::kFamilies) {
        families << Tr(name, Language::English) << Tr(name, Language::Chinese);
    }
    FitDropDown(*family_, families);

    connect(frequency_, &CNumEdit::Committed, this,
            [this] { emit FrequencyEdited(frequency_->GetValue()); });
    connect(slope_, &QComboBox::activated, this, &OutputCrossoverRow::SlopeEdited);
    connect(family_, &QComboBox::activated, this, &OutputCrossoverRow::FamilyEdited);
    Relabel(Language::Chinese);
}

void OutputCrossoverRow::ShowFilter(const CFilter& filter) {
    ShowFrequency(filter.GetFrequency());
    slope_->setCurrentIndex(filter.GetSlope());
    family_->setCurrentIndex(filter.GetFamily());
}

void OutputCrossoverRow::ShowFrequency(int hertz) {
    frequency_->ShowHeldValue(hertz);
}

void OutputCrossoverRow::Relabel(Language language) {
    caption_->setText(Tr(captionText_, language));
    frequency_->SetLanguage(language);
    const int selected = family_->currentIndex();
    family_->clear();
    for (const BilingualText& name : OutputPageText::kFamilies) {
        family_->addItem(Tr(name, language));
    }
    family_->setCurrentIndex(selected);
}

void OutputCrossoverRow::SetCaptionWidth(int width) {
    caption_->setFixedWidth(width);
}

void OutputCrossoverRow::SetMessageSink(CNumEdit::MessageFunction sink) {
    frequency_->SetMessageSink(std::move(sink));
}
