// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/OutputPage.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QScrollArea>
#include <QVBoxLayout>
#include <array>

#include "app/ShellTexts.h"
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
constexpr int kGraphMinimumHeight = 160;

constexpr BilingualText kEqTitle{"EQ", "均衡"};
constexpr BilingualText kCrossoverTitle{"X-Over", "分频"};
constexpr BilingualText kMixTitle{"Mix", "混音"};
constexpr BilingualText kLevelTitle{"Level", "电平"};

QGroupBox* MakeSection(QWidget* content, QWidget* parent) {
    auto* section = new QGroupBox(parent);
    auto* layout = new QVBoxLayout(section);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->addWidget(content);
    return section;
}
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

    // Band rows and mix on the left, crossover and levels on the right; the
    // graph takes all the height that is left below them.
    sections_ = {MakeSection(equaliser_, this), MakeSection(crossover_, this),
                 MakeSection(mix_, this), MakeSection(levels_, this)};
    auto* right = new QVBoxLayout;
    right->addWidget(Section(OutputSection::Crossover));
    right->addWidget(Section(OutputSection::Level));
    right->addStretch();
    auto* left = new QVBoxLayout;
    left->addWidget(Section(OutputSection::Equaliser));
    left->addWidget(Section(OutputSection::Mix));
    left->addStretch();
    auto* top = new QHBoxLayout;
    top->addLayout(left);
    top->addLayout(right, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(graph_, 1);

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
    const std::array<BilingualText, 4> titles = {kEqTitle, kCrossoverTitle, kMixTitle, kLevelTitle};
    for (size_t index = 0; index < sections_.size(); ++index) {
        sections_.at(index)->setTitle(Tr(titles.at(index), language));
    }
}

QGroupBox* OutputPage::Section(OutputSection section) const {
    return sections_.at(static_cast<size_t>(section));
}

void OutputPage::BringSectionIntoView(OutputSection section) {
    QGroupBox* shown = Section(section);
    // Inside a window smaller than the page, scroll the section into sight.
    for (QWidget* ancestor = parentWidget(); ancestor != nullptr;
         ancestor = ancestor->parentWidget()) {
        if (auto* scroller = qobject_cast<QScrollArea*>(ancestor)) {
            scroller->ensureWidgetVisible(shown, 0, 0);
            break;
        }
    }
    // The keyboard starts in the section the user asked for.
    for (QWidget* next = shown->nextInFocusChain(); next != nullptr && next != shown;
         next = next->nextInFocusChain()) {
        if (shown->isAncestorOf(next) && (next->focusPolicy() & Qt::TabFocus) &&
            next->isVisibleTo(this) && next->isEnabled()) {
            next->setFocus(Qt::OtherFocusReason);
            break;
        }
    }
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
