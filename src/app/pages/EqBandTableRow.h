// SPDX-License-Identifier: GPL-3.0-or-later
// The controls of one band row, laid out left to right. The row only shows
// values and reports which control the user changed; `EqBandTable` turns
// that into an edit of the band.
//
// The constraint: showing a value must never look like a user edit, so the
// row listens only to the signals a user causes (a commit, a spin click, an
// activated drop-down, a clicked check box), never to value changes.
#pragma once

#include <QWidget>

#include "app/pages/EqBandTableEdits.h"
#include "curves/BilingualText.h"

class CFilter;
class CNumEdit;
class CSpinButtons;
class QCheckBox;
class QComboBox;
class QLabel;
struct EqBandTableOptions;

class EqBandTableRow : public QWidget {
    Q_OBJECT

  public:
    // `firstControlId` numbers the row's frequency, Q and gain boxes.
    EqBandTableRow(const EqBandTableOptions& options, int firstControlId,
                   QWidget* parent = nullptr);

    // Shows everything of `band`, numbered `bandNumber` (from 1).
    void ShowBand(const CFilter& band, int bandNumber, bool rangeFollowsKind);
    void ShowFrequencyBandwidthGainBypass(const CFilter& band);
    void ShowGainAndBypass(const CFilter& band);
    void SetHighlighted(bool highlighted);
    bool IsHighlighted() const { return highlighted_; }
    void Relabel(Language language, const EqBandTableOptions& options);

    // The value the user gave the control of `kind`.
    int EditedValue(BandEditKind kind);
    // The value the control showed before the user changed it.
    int ShownValue(BandEditKind kind) const;

    CNumEdit& Frequency() const { return *frequency_; }
    CNumEdit& Bandwidth() const { return *bandwidth_; }
    CNumEdit& Gain() const { return *gain_; }
    CSpinButtons& FrequencySpin() const { return *frequencySpin_; }
    CSpinButtons& BandwidthSpin() const { return *bandwidthSpin_; }
    CSpinButtons& GainSpin() const { return *gainSpin_; }
    QComboBox& Kind() const { return *kind_; }
    QComboBox& Slope() const { return *slope_; }
    QCheckBox& Bypass() const { return *bypass_; }
    QLabel& Number() const { return *number_; }

  signals:
    void Edited(BandEditKind kind);

  private:
    void ShowKindControls(int kind);
    void SetFrequencyRange(int kind, bool rangeFollowsKind);

    QLabel* number_;
    CNumEdit* frequency_;
    CSpinButtons* frequencySpin_;
    CNumEdit* bandwidth_;
    CSpinButtons* bandwidthSpin_;
    QComboBox* slope_;
    CNumEdit* gain_;
    CSpinButtons* gainSpin_;
    QComboBox* kind_;
    QCheckBox* bypass_;
    bool highlighted_ = false;
    // What the row last showed, so that a commit that changes nothing is no edit.
    int shownFrequency_ = 0;
    int shownBandwidth_ = 0;
    int shownGain_ = 0;
    int shownKind_ = 0;
    int shownSlope_ = 0;
    int shownBypass_ = 0;
};
