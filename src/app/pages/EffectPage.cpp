// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/EffectPage.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "app/ShellTexts.h"
#include "app/graph/FStatic.h"
#include "app/graph/GraphMapping.h"
#include "app/pages/EffectCrossoverFields.h"
#include "app/pages/EffectParameterSection.h"
#include "app/pages/EqBandTable.h"
#include "app/pages/PageServices.h"
#include "app/widgets/AllBypassSwitch.h"
#include "model/Audio_Data.h"

namespace {
constexpr int kHighPassElement = 3;
constexpr int kLowPassElement = 4;
constexpr int kFirstBandControlId = 2460;

EqBandTableOptions EffectBandOptions() {
    EqBandTableOptions options;
    options.rows = CAudio_EffectData::kBandCount;
    options.maxFirstBand = 0;
    options.kindTexts = {{{"PEQ", "PEQ"}, {"Low Shelf", "低架"}, {"High Shelf", "高架"}}};
    options.kindEditable = false;
    options.bypassText = {"ByPass", "旁路"};
    options.firstControlId = kFirstBandControlId;
    // The kind cannot be changed here, so no row ever shows a shelf slope.
    options.qualityHeading = {"Q", "Q"};
    return options;
}
}  // namespace

EffectPage::EffectPage(PageServices& services, QWidget* parent)
    : Page(parent), services_(services) {
    const auto showMessage = [this](const QString& text) { services_.ShowMessage(text); };
    parameters_ = new EffectParameterSection(showMessage, this);
    eqHeading_ = new QLabel(this);
    bands_ = new EqBandTable(EffectBandOptions(), this);
    bands_->SetMessageSink(showMessage);
    crossover_ = new EffectCrossoverFields(showMessage, this);
    allBypass_ = MakeAllBypassSwitch(this);
    graph_ = new CFStatic(this);
    graph_->setMinimumHeight(160);
    graph_->SetQueue(&services_.Queue());

    auto* eqHeader = new QHBoxLayout;
    eqHeader->addWidget(eqHeading_);
    eqHeader->addWidget(allBypass_);
    eqHeader->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(parameters_);
    layout->addLayout(eqHeader);
    layout->addWidget(bands_);
    layout->addWidget(crossover_);
    layout->addWidget(graph_, 1);

    connect(parameters_, &EffectParameterSection::ParameterChanged, this,
            &EffectPage::SetParameter);
    bands_->SetApplyChange([this](int band, const BandChange& change) {
        services_.EditProgram(
            [band, &change](CAudio_Data& program) { change(program.GetEffect().GetBand(band)); });
    });
    connect(bands_, &EqBandTable::BandEdited, this, &EffectPage::BandEdited);
    connect(crossover_, &EffectCrossoverFields::FrequencyEdited, this,
            &EffectPage::SetCrossoverFrequency);
    // A click only asks; the switch shows what the bands then report.
    connect(allBypass_, &KitSwitch::clicked, this, [this] { ToggleAllBypass(); });
    connect(graph_, &CFStatic::ElementChanged, this, &EffectPage::ElementDragged);
    Relabel(services_.GetLanguage());
}

void EffectPage::ShowChannel(CAudio_Data* program, [[maybe_unused]] int channel) {
    program_ = program;
    Refresh();
}

void EffectPage::Refresh() {
    // The language is read when the page is refreshed, as the pages the view
    // does not relabel do.
    Relabel(services_.GetLanguage());
    CAudio_EffectData* effect = Effect();
    if (effect == nullptr) {
        return;
    }
    ShowAllBypass();
    parameters_->ShowValues(*effect);
    bands_->ShowChain(&effect->GetChain());
    bands_->RefreshRows();
    crossover_->ShowFrequencies(effect->GetHighPass().GetFrequency(),
                                effect->GetLowPass().GetFrequency());
    graph_->SetSource(*program_);
    graph_->SetMode(GraphMode::kEffect);
    graph_->SelectEffect();
    graph_->Layout();
    graph_->Redraw();
}

void EffectPage::Relabel(Language language) {
    parameters_->Relabel(language);
    bands_->Relabel(language);
    crossover_->Relabel(language);
    eqHeading_->setText(Tr({"Effect EQ", "效果均衡"}, language));
    RelabelAllBypassSwitch(*allBypass_, {"All Bypass", "全部旁路"}, language);
    graph_->SetLanguage(language);
}

CAudio_EffectData* EffectPage::Effect() const {
    return program_ == nullptr ? nullptr : &program_->GetEffect();
}

void EffectPage::SetParameter(int param, int code) {
    if (Effect() == nullptr) {
        return;
    }
    services_.EditProgram([param, code](CAudio_Data& program) {
        program.GetEffect().SetEffectParam(param, static_cast<uint8_t>(code));
    });
}

void EffectPage::SetCrossoverFrequency(int element, int frequency) {
    if (Effect() == nullptr) {
        return;
    }
    services_.EditProgram([element, frequency](CAudio_Data& program) {
        program.GetEffect().GetChain().GetElement(element).SetFrequency(frequency);
    });
    graph_->Redraw(element);
}

void EffectPage::BandEdited(int band, [[maybe_unused]] BandEditKind kind) {
    ShowAllBypass();
    graph_->Redraw(band);
}

void EffectPage::ToggleAllBypass() {
    if (Effect() == nullptr) {
        allBypass_->setChecked(false);
        return;
    }
    bool followed = false;
    services_.EditProgram([&followed](CAudio_Data& program) {
        CAudio_EffectData& effect = program.GetEffect();
        const int requested = effect.UpdateAllBypassed() != 0 ? 0 : 1;
        effect.SetAllBandsAllBypass(requested);
        followed = effect.UpdateAllBypassed() == requested;
    });
    if (followed) {
        bands_->RefreshGainAndBypass();
        graph_->Redraw();
    }
    ShowAllBypass();
}

void EffectPage::ElementDragged(int element) {
    CAudio_EffectData* effect = Effect();
    if (effect == nullptr) {
        return;
    }
    if (element < CAudio_EffectData::kBandCount) {
        bands_->RefreshBand(element);
        bands_->HighlightRow(element);
        ShowAllBypass();
    } else if (element == kHighPassElement || element == kLowPassElement) {
        crossover_->ShowFrequencies(effect->GetHighPass().GetFrequency(),
                                    effect->GetLowPass().GetFrequency());
    }
}

void EffectPage::ShowAllBypass() {
    bool allBypassed = false;
    services_.EditProgram([&allBypassed](CAudio_Data& program) {
        allBypassed = program.GetEffect().UpdateAllBypassed() != 0;
    });
    allBypass_->setChecked(allBypassed);
}
