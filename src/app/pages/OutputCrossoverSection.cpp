// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/OutputCrossoverSection.h"

#include <QVBoxLayout>

#include "app/ShellTexts.h"
#include "app/pages/OutputCrossoverRow.h"
#include "app/pages/OutputPageTexts.h"
#include "app/pages/PageServices.h"
#include "app/widgets/FieldSizing.h"
#include "curves/ScaleConversion.h"
#include "model/Audio_Data.h"

namespace {
enum ControlId { kHighPassId = 3100, kLowPassId };
}  // namespace

OutputCrossoverSection::OutputCrossoverSection(PageServices& services, QWidget* parent)
    : QWidget(parent),
      services_(services),
      highPass_(new OutputCrossoverRow(kHighPassId, ScaleType::kHighPassFrequency,
                                       kLowestCrossoverFrequency, OutputPageText::kHighPass, this)),
      lowPass_(new OutputCrossoverRow(kLowPassId, ScaleType::kLowPassFrequency,
                                      kHighestCrossoverFrequency, OutputPageText::kLowPass, this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(highPass_);
    layout->addWidget(lowPass_);
    const int captionWidth =
        LabelWidthFor(highPass_->Caption(), {Tr(OutputPageText::kHighPass, Language::English),
                                             Tr(OutputPageText::kHighPass, Language::Chinese),
                                             Tr(OutputPageText::kLowPass, Language::English),
                                             Tr(OutputPageText::kLowPass, Language::Chinese)});
    highPass_->SetCaptionWidth(captionWidth);
    lowPass_->SetCaptionWidth(captionWidth);

    for (const CrossoverSide side : {CrossoverSide::HighPass, CrossoverSide::LowPass}) {
        OutputCrossoverRow& row = Row(side);
        row.SetMessageSink([this](const QString& text) { services_.ShowMessage(text); });
        connect(&row, &OutputCrossoverRow::FrequencyEdited, this, [this, side](int hertz) {
            if (!ShowsOutput()) {
                return;
            }
            const int other = ShownFilter(OtherCrossoverSide(side)).GetFrequency();
            const int limited = LimitCrossoverFrequency(side, hertz, other);
            Edit(side, limited != ShownFilter(side).GetFrequency(),
                 [this, side, limited](CAudio_Data& program) {
                     SetCrossoverFrequency(program, output_, side, limited);
                 });
        });
        connect(&row, &OutputCrossoverRow::SlopeEdited, this, [this, side](int slope) {
            Edit(side, ShowsOutput() && slope != ShownFilter(side).GetSlope(),
                 [this, side, slope](CAudio_Data& program) {
                     SetCrossoverSlope(program, output_, side, slope);
                 });
        });
        connect(&row, &OutputCrossoverRow::FamilyEdited, this, [this, side](int family) {
            Edit(side, ShowsOutput() && family != ShownFilter(side).GetFamily(),
                 [this, side, family](CAudio_Data& program) {
                     SetCrossoverFamily(program, output_, side, family);
                 });
        });
    }
    Relabel(services_.GetLanguage());
}

void OutputCrossoverSection::ShowOutput(CAudio_Data* program, int output) {
    program_ = program;
    output_ = output;
    Refresh();
}

void OutputCrossoverSection::Refresh() {
    if (!ShowsOutput()) {
        return;
    }
    CAudio_OutData& shown = program_->GetOutput(output_);
    highPass_->ShowFilter(shown.GetHighPass());
    lowPass_->ShowFilter(shown.GetLowPass());
}

void OutputCrossoverSection::Relabel(Language language) {
    highPass_->Relabel(language);
    lowPass_->Relabel(language);
}

void OutputCrossoverSection::TakeDraggedFilter(CrossoverSide side) {
    if (!ShowsOutput()) {
        return;
    }
    services_.EditProgram([this, side](CAudio_Data& program) {
        RepeatCrossoverOnLinkedOutputs(program, output_, side);
    });
    Row(side).ShowFrequency(ShownFilter(side).GetFrequency());
}

OutputCrossoverRow& OutputCrossoverSection::Row(CrossoverSide side) const {
    return side == CrossoverSide::HighPass ? *highPass_ : *lowPass_;
}

bool OutputCrossoverSection::ShowsOutput() const {
    return program_ != nullptr && output_ >= 0 && output_ < CAudio_OutRoute::kCount;
}

const CFilter& OutputCrossoverSection::ShownFilter(CrossoverSide side) const {
    return CrossoverFilter(program_->GetOutput(output_), side);
}

void OutputCrossoverSection::Edit(CrossoverSide side, bool changes,
                                  const std::function<void(CAudio_Data& program)>& edit) {
    if (!ShowsOutput()) {
        return;
    }
    // A box left unchanged commits too; sending the same value again is noise.
    if (changes) {
        services_.EditProgram(edit);
    }
    Row(side).ShowFilter(ShownFilter(side));
    if (changes) {
        emit Edited();
    }
}
