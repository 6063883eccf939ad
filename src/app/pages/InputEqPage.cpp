// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/InputEqPage.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "app/graph/FStatic.h"
#include "app/graph/GraphPainter.h"
#include "app/pages/EqBandTable.h"
#include "app/pages/InputEqCrossover.h"
#include "app/pages/InputEqEdits.h"
#include "app/pages/PageServices.h"
#include "app/widgets/AllBypassSwitch.h"
#include "model/Audio_Data.h"

namespace {
constexpr int kGraphMinimumHeight = 160;

EqBandTableOptions InputBandOptions() {
    EqBandTableOptions options;
    options.rows = kInputEqRows;
    options.rowsPerBlock = kInputEqRowsPerBlock;
    return options;
}
}  // namespace

InputEqPage::InputEqPage(PageServices& services, QWidget* parent)
    : Page(parent),
      services_(services),
      bands_(new EqBandTable(InputBandOptions(), this)),
      crossover_(new InputEqCrossover(this)),
      allBypass_(MakeAllBypassSwitch(this)),
      graph_(new CFStatic(this)) {
    graph_->setMinimumHeight(kGraphMinimumHeight);
    graph_->SetQueue(&services_.Queue());

    const CNumEdit::MessageFunction sink = [this](const QString& text) {
        services_.ShowMessage(text);
    };
    bands_->SetMessageSink(sink);
    crossover_->SetMessageSink(sink);
    bands_->SetApplyChange([this](int band, const BandChange& change) {
        if (program_ == nullptr) {
            return;
        }
        services_.EditProgram(
            [&](CAudio_Data& program) { ApplyInputBandChange(program, channel_, band, change); });
    });

    auto* side = new QVBoxLayout;
    side->addWidget(crossover_);
    side->addWidget(allBypass_);
    side->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(bands_);
    top->addSpacing(24);
    top->addLayout(side);
    top->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(graph_, 1);

    connect(bands_, &EqBandTable::BandEdited, this, &InputEqPage::OnBandEdited);
    connect(allBypass_, &KitSwitch::clicked, this, &InputEqPage::OnAllBypassClicked);
    connect(crossover_, &InputEqCrossover::HighPassEdited, this, &InputEqPage::OnHighPassEdited);
    connect(crossover_, &InputEqCrossover::LowPassEdited, this, &InputEqPage::OnLowPassEdited);
    connect(graph_, &CFStatic::ElementChanged, this, &InputEqPage::OnElementChanged);
    Relabel(services_.GetLanguage());
}

InputEqPage::~InputEqPage() {
    // The children outlive this body; a box that commits as it loses the
    // focus on deletion must not reach a page that is no longer there.
    bands_->SetApplyChange({});
    bands_->disconnect(this);
    crossover_->disconnect(this);
    graph_->disconnect(this);
}

void InputEqPage::ShowChannel(CAudio_Data* program, int channel) {
    program_ = program;
    channel_ =
        channel == InputChannel::kMicrophone ? InputChannel::kMicrophone : InputChannel::kMusicLeft;
    Refresh();
}

void InputEqPage::Refresh() {
    if (program_ == nullptr) {
        return;
    }
    CAudio_InData& input = Shown();
    bands_->ShowChain(&input.GetChain());
    UpdateAllBypassImage();
    const bool microphone = channel_ == InputChannel::kMicrophone;
    crossover_->setVisible(microphone);
    ShowCrossover();
    graph_->SetSource(*program_);
    graph_->SetMode(GraphMode::kInput);
    graph_->SelectInputChannel(channel_);
    graph_->Redraw(-1);
    // Every band the page reaches has its row, so nothing scrolls; the
    // channel's stored first band stays as it was loaded, for the files
    // and devices that carry it.
    bands_->SetFirstBand(0);
    bands_->RefreshRows();
}

void InputEqPage::Relabel(Language language) {
    language_ = language;
    bands_->Relabel(language);
    crossover_->Relabel(language);
    RelabelAllBypassSwitch(*allBypass_, kAllBypassText, language);
    graph_->SetLanguage(language);
}

void InputEqPage::OnElementChanged(int chainIndex) {
    if (program_ == nullptr) {
        return;
    }
    UpdateAllBypassImage();
    CAudio_InData& input = Shown();
    if (chainIndex >= 0 && chainIndex <= kInputEqLastReachableBand) {
        services_.EditProgram(
            [&](CAudio_Data& program) { FollowDraggedInputBand(program, channel_, chainIndex); });
        graph_->Redraw(-1);
        const int row = bands_->BringIntoView(chainIndex);
        bands_->RefreshBand(chainIndex);
        bands_->HighlightRow(row);
    } else if (chainIndex == input.GetChain().GetCount() - 2 ||
               chainIndex == input.GetChain().GetCount() - 1) {
        ShowCrossover();
    }
}

CAudio_InData& InputEqPage::Shown() const {
    return program_->GetInput(channel_);
}

void InputEqPage::OnBandEdited(int band, [[maybe_unused]] BandEditKind kind) {
    UpdateAllBypassImage();
    graph_->Redraw(band);
}

void InputEqPage::OnAllBypassClicked() {
    if (program_ == nullptr) {
        return;
    }
    bool followed = false;
    services_.EditProgram(
        [&](CAudio_Data& program) { followed = ToggleInputAllBypass(program, channel_); });
    if (followed) {
        bands_->RefreshGainAndBypass();
    }
    // The button toggled itself on the click; it must show the channel's state.
    UpdateAllBypassImage();
    graph_->Redraw(-1);
}

void InputEqPage::OnHighPassEdited(int hertz) {
    if (program_ == nullptr) {
        return;
    }
    services_.EditProgram([&](CAudio_Data& program) {
        SetInputHighPassFrequency(program.GetInput(channel_), hertz);
    });
    ShowCrossover();
    graph_->Redraw(-1);
}

void InputEqPage::OnLowPassEdited(int hertz) {
    if (program_ == nullptr) {
        return;
    }
    services_.EditProgram(
        [&](CAudio_Data& program) { SetInputLowPassFrequency(program.GetInput(channel_), hertz); });
    ShowCrossover();
    graph_->Redraw(-1);
}

void InputEqPage::ShowCrossover() {
    CAudio_InData& input = Shown();
    crossover_->Show(input.GetHighPass().GetFrequency(), input.GetLowPass().GetFrequency());
}

void InputEqPage::UpdateAllBypassImage() {
    int allBypassed = 0;
    services_.EditProgram([&](CAudio_Data& program) {
        allBypassed = program.GetInput(channel_).UpdateAllBypassed();
    });
    allBypass_->setChecked(allBypassed != 0);
}
