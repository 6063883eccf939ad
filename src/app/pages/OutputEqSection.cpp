// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/OutputEqSection.h"

#include <QHBoxLayout>

#include "app/ShellTexts.h"
#include "app/pages/EqBandTable.h"
#include "app/pages/OutputEqLinking.h"
#include "app/pages/OutputPageTexts.h"
#include "app/pages/PageServices.h"
#include "app/widgets/AllBypassSwitch.h"
#include "model/Audio_Data.h"

namespace {
// The table's seven rows, all shown for main left and main right.
constexpr int kPairBands = 7;
constexpr int kSingleOutputBands = 5;
// Kept with the output: the band last dragged on its graph.
constexpr int kDraggedBandState = 0;
}  // namespace

OutputEqSection::OutputEqSection(PageServices& services, QWidget* parent)
    : QWidget(parent),
      services_(services),
      table_(new EqBandTable(EqBandTableOptions{}, this)),
      allBypass_(MakeAllBypassSwitch(this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(table_);
    layout->addWidget(allBypass_, 0, Qt::AlignTop);

    table_->SetMessageSink([this](const QString& text) { services_.ShowMessage(text); });
    table_->SetApplyChange([this](int band, const BandChange& change) {
        const int shown = output_;
        services_.EditProgram([&](CAudio_Data& program) {
            ApplyBandChangeToLinkedOutputs(program, shown, band, change);
        });
    });
    connect(table_, &EqBandTable::BandEdited, this, [this] {
        ShowAllBypass();
        emit Edited();
    });
    connect(allBypass_, &KitSwitch::clicked, this, &OutputEqSection::PressAllBypassSwitch);
    Relabel(services_.GetLanguage());
}

int OutputEqSection::EditableBands(int output) {
    return output == OutputKind::kMainLeft || output == OutputKind::kMainRight ? kPairBands
                                                                               : kSingleOutputBands;
}

void OutputEqSection::ShowOutput(CAudio_Data* program, int output) {
    program_ = program;
    output_ = output;
    table_->ShowChain(ShowsOutput() ? &program_->GetOutput(output_).GetChain() : nullptr);
    table_->HighlightRow(-1);
    Refresh();
}

void OutputEqSection::Refresh() {
    if (!ShowsOutput()) {
        return;
    }
    ShowAllBypass();
    table_->SetFirstBand(program_->GetOutput(output_).GetFirstBandShown());
    table_->SetShownRows(EditableBands(output_));
}

void OutputEqSection::Relabel(Language language) {
    table_->Relabel(language);
    RelabelAllBypassSwitch(*allBypass_, OutputPageText::kAllBypass, language);
}

void OutputEqSection::TakeDraggedBand(int band) {
    if (!ShowsOutput() || band < 0 || band >= CAudio_OutData::kBandCount) {
        return;
    }
    // Outputs without a sixth and seventh row always show band 1 first.
    if (EditableBands(output_) < kPairBands) {
        table_->SetFirstBand(0);
    }
    const int shown = output_;
    const int firstBand = table_->FirstBand();
    services_.EditProgram([&](CAudio_Data& program) {
        CAudio_OutData& output = program.GetOutput(shown);
        output.SetFirstBandShown(firstBand);
        output.SetPageState(kDraggedBandState, band);
        RepeatDraggedBandOnLinkedOutputs(program, shown, band);
    });
    table_->RefreshBand(band);
    const int row = band - firstBand;
    table_->HighlightRow(row >= 0 && row < table_->ShownRows() ? row : -1);
    ShowAllBypass();
}

bool OutputEqSection::ShowsOutput() const {
    return program_ != nullptr && output_ >= 0 && output_ < CAudio_OutRoute::kCount;
}

void OutputEqSection::PressAllBypassSwitch() {
    if (!ShowsOutput()) {
        ShowAllBypass();
        return;
    }
    const int shown = output_;
    services_.EditProgram([shown](CAudio_Data& program) { PressAllBypass(program, shown); });
    table_->RefreshGainAndBypass();
    ShowAllBypass();
    emit Edited();
}

void OutputEqSection::ShowAllBypass() {
    const bool on =
        ShowsOutput() && program_->GetOutput(output_).GetChain().AllBandsBypassed() != 0;
    allBypass_->setChecked(on);
}
