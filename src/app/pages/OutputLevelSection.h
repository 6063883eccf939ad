// SPDX-License-Identifier: GPL-3.0-or-later
// The level stage of the output the output page shows: gain and delay, each a
// box with arrows and a slider over the same code, the delay's unit button,
// and the limiter (threshold, attack, release). Every edit goes to the output
// through its setter, which also repeats it on linked outputs.
//
// The constraint: the page is made once and shows six outputs in turn, so the
// section keeps which output it shows and reads its values again on every
// refresh; and it edits the program only inside the view's `EditProgram`,
// since the USB worker scans the program for changes under the same lock.
#pragma once

#include <QWidget>
#include <functional>

#include "app/pages/OutputLevelRules.h"
#include "curves/BilingualText.h"

class CAudio_Data;
class CAudio_OutData;
class OutputLevelLimiter;
class PageServices;
class QLabel;
class QPushButton;
class SetupSliderField;

class OutputLevelSection : public QWidget {
    Q_OBJECT
  public:
    OutputLevelSection(PageServices& services, QWidget* parent = nullptr);

    // Shows output `output` (0..5) of `program` and refreshes every control.
    void ShowOutput(CAudio_Data* program, int output);
    // Every control from the shown output.
    void Refresh();
    void Relabel(Language language);

    // Stays when another output is shown: it is the page's, not the output's.
    DelayUnit CurrentDelayUnit() const { return delayUnit_; }

    SetupSliderField* GainField() const { return gain_; }
    SetupSliderField* DelayField() const { return delay_; }
    QPushButton* DelayUnitButton() const { return delayUnitButton_; }
    OutputLevelLimiter* Limiter() const { return limiter_; }

  signals:
    // The shown output's levels were edited; its gain moves the drawn curve.
    void Edited();

  private:
    // Runs `edit` on the shown output under the queue lock, then tells the page.
    void EditOutput(const std::function<void(CAudio_OutData& output)>& edit);
    void StepDelayUnit();
    void ShowDelayUnit();

    PageServices& services_;
    CAudio_Data* program_ = nullptr;
    int output_ = 0;
    Language language_;
    DelayUnit delayUnit_ = DelayUnit::Milliseconds;
    SetupSliderField* gain_;
    SetupSliderField* delay_;
    QPushButton* delayUnitButton_;
    OutputLevelLimiter* limiter_;
};
