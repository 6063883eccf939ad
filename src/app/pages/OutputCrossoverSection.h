// SPDX-License-Identifier: GPL-3.0-or-later
// The crossover of the output the output page shows: a row each for the
// high-pass and the low-pass filter (frequency, slope, family). Every edit
// goes into the shown output's filter and the same filter of each linked
// output; the section then shows what the filter holds, which for a typed
// frequency beyond the other filter is that filter's frequency.
//
// The constraint: the page is made once and shows six outputs in turn, so
// the section keeps only which output it shows, and it edits the program
// only inside the view's `EditProgram`.
#pragma once

#include <QWidget>
#include <functional>

#include "app/pages/OutputCrossoverEdits.h"
#include "curves/BilingualText.h"

class CAudio_Data;
class CFilter;
class OutputCrossoverRow;
class PageServices;

class OutputCrossoverSection : public QWidget {
    Q_OBJECT

  public:
    OutputCrossoverSection(PageServices& services, QWidget* parent = nullptr);

    void ShowOutput(CAudio_Data* program, int output);
    void Refresh();
    void Relabel(Language language);

    // The graph moved the filter: show its frequency and let the linked
    // outputs follow.
    void TakeDraggedFilter(CrossoverSide side);

    OutputCrossoverRow& Row(CrossoverSide side) const;

  signals:
    // The shown output's crossover was edited; the page redraws its graph.
    void Edited();

  private:
    bool ShowsOutput() const;
    const CFilter& ShownFilter(CrossoverSide side) const;
    // Runs `edit` under the queue lock when it `changes` the filter, then
    // shows the filter as it is; the page hears only of real changes.
    void Edit(CrossoverSide side, bool changes,
              const std::function<void(CAudio_Data& program)>& edit);

    PageServices& services_;
    CAudio_Data* program_ = nullptr;
    int output_ = 0;
    OutputCrossoverRow* highPass_;
    OutputCrossoverRow* lowPass_;
};
