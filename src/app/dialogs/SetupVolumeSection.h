// SPDX-License-Identifier: GPL-3.0-or-later
// The "Seting Volume" group of the setup dialog: maximum and start volume of
// the effect, the microphone and the music, and the button that applies
// them. Moving a volume only changes what the group shows; the system bytes
// change when the button is pressed.
//
// The constraint: each start volume stays at or below its channel's maximum
// while the user moves either one, so what is applied is always consistent.
#pragma once

#include <QGroupBox>
#include <array>

#include "curves/BilingualText.h"
#include "model/SystemData.h"

class DialogServices;
class QPushButton;
class SetupSliderField;

class SetupVolumeSection : public QGroupBox {
    Q_OBJECT
  public:
    SetupVolumeSection(DialogServices& services, QWidget* parent = nullptr);

    // The six volumes from the system bytes.
    void Load();
    // Stores the six volumes, lowers current volumes above their new
    // maximums, writes the three volume items and reports success (the
    // writes are skipped by the view while no link is open).
    void Apply();
    void Relabel(Language language);

    SetupSliderField* MaximumField(VolumeChannel channel) const {
        return maximums_.at(static_cast<size_t>(channel));
    }
    SetupSliderField* StartField(VolumeChannel channel) const {
        return starts_.at(static_cast<size_t>(channel));
    }
    QPushButton* ApplyButton() const { return applyButton_; }

  private:
    void KeepStartBelowMaximum(VolumeChannel channel, bool maximumMoved);

    DialogServices& services_;
    Language language_;
    std::array<SetupSliderField*, 3> maximums_{};
    std::array<SetupSliderField*, 3> starts_{};
    QPushButton* applyButton_;
};
