// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/OutputPage.h"

#include <QGridLayout>

#include "app/graph/FStatic.h"
#include "app/graph/GraphMapping.h"
#include "app/pages/OutputCrossoverSection.h"
#include "app/pages/OutputEqSection.h"
#include "app/pages/OutputLevelSection.h"
#include "app/pages/OutputMixSection.h"
#include "app/pages/PageServices.h"
#include "model/Audio_Data.h"

namespace {
// Chain positions of the output chain's crossover filters.
constexpr int kHighPassElement = CAudio_OutData::kBandCount;
constexpr int kLowPassElement = CAudio_OutData::kBandCount + 1;
constexpr int kGraphMinimumHeight = 220;
}  // namespace

OutputPage::OutputPage(PageServices& services, QWidget* parent)
    : Page(parent),
      services_(services),
      language_(services.GetLanguage()),
      mix_(new OutputMixSection(services, this)),
      levels_(new OutputLevelSection(services, this)),
      equaliser_(new OutputEqSection(services, this)),
      crossover_(new OutputCrossoverSection(services, this)),
      graph_(new CFStatic(this)) {
    graph_->SetQueue(&services_.Queue());
    graph_->SetMode(GraphMode::kOutput);
    graph_->setMinimumHeight(kGraphMinimumHeight);

    auto* layout = new QGridLayout(this);
    layout->addWidget(mix_, 0, 0);
    layout->addWidget(levels_, 0, 1);
    layout->addWidget(equaliser_, 1, 0, 1, 2);
    layout->addWidget(crossover_, 2, 0, 1, 2);
    layout->addWidget(graph_, 3, 0, 1, 2);
    layout->setRowStretch(3, 1);

    connect(mix_, &OutputMixSection::Edited, this, &OutputPage::RedrawGraph);
    connect(levels_, &OutputLevelSection::Edited, this, &OutputPage::RedrawGraph);
    connect(equaliser_, &OutputEqSection::Edited, this, &OutputPage::RedrawGraph);
    connect(crossover_, &OutputCrossoverSection::Edited, this, &OutputPage::RedrawGraph);
    connect(graph_, &CFStatic::ElementChanged, this, &OutputPage::TakeGraphChange);
    Relabel(language_);
}

OutputPage::~OutputPage() {
    // Closing a shown page moves the focus out of its boxes, which commit and
    // report edits after this destructor but before the children are gone;
    // those reports must not reach a page that no longer exists.
    const QObject* const senders[] = {mix_, levels_, equaliser_, crossover_, graph_};
    for (const QObject* sender : senders) {
        sender->disconnect(this);
    }
}

void OutputPage::ShowChannel(CAudio_Data* program, int channel) {
    program_ = program;
    output_ = channel;
    if (program_ != nullptr) {
        graph_->SetSource(*program_);
    }
    mix_->ShowOutput(program_, output_);
    levels_->ShowOutput(program_, output_);
    equaliser_->ShowOutput(program_, output_);
    crossover_->ShowOutput(program_, output_);
    Refresh();
}

void OutputPage::Refresh() {
    if (services_.GetLanguage() != language_) {
        Relabel(services_.GetLanguage());
    }
    if (program_ == nullptr || output_ < 0 || output_ >= CAudio_OutRoute::kCount) {
        return;
    }
    mix_->Refresh();
    levels_->Refresh();
    equaliser_->Refresh();
    crossover_->Refresh();
    graph_->SelectOutput(output_);
    graph_->Layout();
    graph_->Redraw();
}

void OutputPage::Relabel(Language language) {
    language_ = language;
    mix_->Relabel(language);
    levels_->Relabel(language);
    equaliser_->Relabel(language);
    crossover_->Relabel(language);
    graph_->SetLanguage(language);
}

void OutputPage::TakeGraphChange(int chainIndex) {
    if (chainIndex < kHighPassElement) {
        equaliser_->TakeDraggedBand(chainIndex);
    } else if (chainIndex == kHighPassElement) {
        crossover_->TakeDraggedFilter(CrossoverSide::HighPass);
    } else if (chainIndex == kLowPassElement) {
        crossover_->TakeDraggedFilter(CrossoverSide::LowPass);
    }
    RedrawGraph();
}

void OutputPage::RedrawGraph() {
    graph_->Redraw();
}
