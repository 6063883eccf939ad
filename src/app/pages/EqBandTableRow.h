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

// The widths of a band row's columns, left to right; the table's heading
// row uses the same ones so that every column lines up under its heading.
struct EqBandColumnWidths {
    int number = 0;
    int frequency = 0;
    int quality = 0;
    int gain = 0;
    int kind = 0;
    int bypass = 0;
};

// Room between two columns of the band table.
inline constexpr int kEqBandColumnGap = 6;

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

    // What each column needs for its widest value in either language.
    EqBandColumnWidths NaturalWidths() const { return natural_; }
    // Fixes every column to `widths` (at least the natural ones).
    void SetColumnWidths(const EqBandColumnWidths& widths);

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
    void MeasureColumns(const EqBandTableOptions& options);
    void SetFrequencyRange(int kind, bool rangeFollowsKind);

    QLabel* number_;
    // One fixed-width holder per column: the Q box and the shelf slope
    // drop-down share the Q column, so a shelf row never shifts the others.
    QWidget* frequencyColumn_;
    QWidget* qualityColumn_;
    QWidget* gainColumn_;
    QWidget* bypassColumn_;
    CNumEdit* frequency_;
    CSpinButtons* frequencySpin_;
    CNumEdit* bandwidth_;
    CSpinButtons* bandwidthSpin_;
    QComboBox* slope_;
    CNumEdit* gain_;
    CSpinButtons* gainSpin_;
    QComboBox* kind_;
    QCheckBox* bypass_;
    EqBandColumnWidths natural_;
    bool highlighted_ = false;
    // What the row last showed, so that a commit that changes nothing is no edit.
    int shownFrequency_ = 0;
    int shownBandwidth_ = 0;
    int shownGain_ = 0;
    int shownKind_ = 0;
    int shownSlope_ = 0;
    int shownBypass_ = 0;
};
