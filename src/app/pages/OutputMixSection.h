// SPDX-License-Identifier: GPL-3.0-or-later
// The mix of the output the output page shows: how much music and how much
// microphone feeds it (a box with arrows and a slider each) and an on/off
// switch per feed. The output's setters decide which stored level a change
// reaches (left, right or both, by the output's kind) and repeat it on linked
// outputs with left and right exchanged.
//
// The constraint: a switch shows the left flag only, and pressing it sets
// both flags of its feed to the opposite of what it shows, so a program whose
// two flags differ is made consistent by the first press.
#pragma once

#include <QWidget>
#include <functional>

#include "controls/KitSwitch.h"
#include "curves/BilingualText.h"

class CAudio_Data;
class CAudio_OutData;
class PageServices;
class SetupSliderField;

class OutputMixSection : public QWidget {
    Q_OBJECT
  public:
    OutputMixSection(PageServices& services, QWidget* parent = nullptr);

    // Shows output `output` (0..5) of `program` and refreshes every control.
    void ShowOutput(CAudio_Data* program, int output);
    void Refresh();
    void Relabel(Language language);

    SetupSliderField* MusicLevel() const { return musicLevel_; }
    SetupSliderField* MicLevel() const { return micLevel_; }
    KitSwitch* MusicSwitch() const { return musicSwitch_; }
    KitSwitch* MicSwitch() const { return micSwitch_; }

  signals:
    // The shown output's mix was edited.
    void Edited();

  private:
    // Runs `edit` on the shown output under the queue lock and tells the
    // page; false when no output is shown.
    bool EditOutput(const std::function<void(CAudio_OutData& output)>& edit);
    void ToggleMusic();
    void ToggleMic();
    void ShowSwitches();

    PageServices& services_;
    CAudio_Data* program_ = nullptr;
    int output_ = 0;
    Language language_;
    SetupSliderField* musicLevel_;
    SetupSliderField* micLevel_;
    KitSwitch* musicSwitch_;
    KitSwitch* micSwitch_;
    // What the switches show: the output's left flags as last shown or set.
    bool musicShownOn_ = true;
    bool micShownOn_ = true;
};
