// SPDX-License-Identifier: GPL-3.0-or-later
// Pages 4 to 9: everything of one output. The page sets the output's band
// rows beside its crossover, mix and levels, above its response graph, hands each
// section the output the view asks for, and keeps the graph and the boxes in
// step: an edit in a section redraws the graph, a drag on the graph refreshes
// the row or crossover box of the element that moved.
//
// The constraint: the view relabels only the main page when the language
// changes, so this page takes the language again whenever it is refreshed.
#pragma once

#include <array>

#include "app/pages/OutputSection.h"
#include "app/pages/Page.h"

class CFStatic;
class OutputCrossoverSection;
class OutputEqSection;
class OutputLevelSection;
class OutputMixSection;
class PageServices;
class QGroupBox;

class OutputPage : public Page {
    Q_OBJECT

  public:
    OutputPage(PageServices& services, QWidget* parent = nullptr);
    ~OutputPage() override;

    // `channel` is the output, 0..5.
    void ShowChannel(CAudio_Data* program, int channel) override;
    void Refresh() override;
    void Relabel(Language language) override;

    CAudio_Data* Program() const { return program_; }
    int Output() const { return output_; }
    OutputMixSection& Mix() const { return *mix_; }
    OutputLevelSection& Levels() const { return *levels_; }
    OutputEqSection& Equaliser() const { return *equaliser_; }
    OutputCrossoverSection& Crossover() const { return *crossover_; }
    CFStatic& Graph() const { return *graph_; }
    QGroupBox* Section(OutputSection section) const;
    // Scrolls the section into sight (in a window smaller than the page) and
    // puts the keyboard focus on its first control.
    void BringSectionIntoView(OutputSection section);

  private:
    // Message 1124: the graph changed element `chainIndex` of the shown output.
    void TakeGraphChange(int chainIndex);
    void RedrawGraph();

    PageServices& services_;
    CAudio_Data* program_ = nullptr;
    int output_ = 0;
    Language language_;
    OutputMixSection* mix_;
    OutputLevelSection* levels_;
    OutputEqSection* equaliser_;
    OutputCrossoverSection* crossover_;
    CFStatic* graph_;
    std::array<QGroupBox*, 4> sections_{};
};
