// SPDX-License-Identifier: GPL-3.0-or-later
// The limiter of the output level stage: threshold and attack boxes that take
// typing and arrows, and a release box that only the arrows change, whose
// text the group writes itself as a multiple of the attack time.
//
// The constraint: the release text depends on the attack box, so it is
// rebuilt after every attack or release change and on every `Show`.
#pragma once

#include <QGroupBox>
#include <cstdint>
#include <functional>

#include "curves/BilingualText.h"

class CNumEdit;
class CSpinButtons;
class QLabel;

class OutputLevelLimiter : public QGroupBox {
    Q_OBJECT
  public:
    using MessageFunction = std::function<void(const QString& text)>;

    // The boxes' range messages go to `showMessage`.
    OutputLevelLimiter(MessageFunction showMessage, QWidget* parent = nullptr);

    // Moves the boxes to the codes (each limited to its range) without reporting.
    void Show(int32_t threshold, int32_t attack, int32_t release);
    void Relabel(Language language);

    CNumEdit* ThresholdBox() const { return thresholdBox_; }
    CNumEdit* AttackBox() const { return attackBox_; }
    CNumEdit* ReleaseBox() const { return releaseBox_; }
    CSpinButtons* ThresholdArrows() const { return thresholdArrows_; }
    CSpinButtons* AttackArrows() const { return attackArrows_; }
    CSpinButtons* ReleaseArrows() const { return releaseArrows_; }

  signals:
    void ThresholdChanged(int code);
    void AttackChanged(int code);
    void ReleaseChanged(int code);

  private:
    void ShowReleaseText();

    QLabel* thresholdCaption_;
    QLabel* attackCaption_;
    QLabel* releaseCaption_;
    CNumEdit* thresholdBox_;
    CNumEdit* attackBox_;
    CNumEdit* releaseBox_;
    CSpinButtons* thresholdArrows_;
    CSpinButtons* attackArrows_;
    CSpinButtons* releaseArrows_;
    // The attack box's code as last shown or committed. Reading the box
    // instead would convert text the user is still typing, behind the
    // output's back, whenever a release arrow is clicked.
    int32_t attackCode_ = 0;
};
