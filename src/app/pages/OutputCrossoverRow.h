// SPDX-License-Identifier: GPL-3.0-or-later
// The controls of one crossover filter of the output page: its frequency box
// with arrows, its slope and its family drop-downs. The row only shows a
// filter and reports which control the user changed; the crossover section
// turns that into an edit.
//
// The constraint: showing a filter must never look like a user edit, so the
// row listens only to a commit or spin click of the box and to drop-downs
// the user activated, never to value changes.
#pragma once

#include <QWidget>

#include "app/widgets/NumEdit.h"
#include "curves/BilingualText.h"

class CFilter;
class CSpinButtons;
class QComboBox;
class QLabel;

class OutputCrossoverRow : public QWidget {
    Q_OBJECT

  public:
    // `scaleType` is the high-pass or the low-pass frequency scale;
    // `initialHertz` is shown until a filter is.
    OutputCrossoverRow(int controlId, int scaleType, int initialHertz, BilingualText caption,
                       QWidget* parent = nullptr);

    void ShowFilter(const CFilter& filter);
    void ShowFrequency(int hertz);
    // Refills the family drop-down in `language`, keeping its selection.
    // Lines up the boxes of the high-pass and low-pass rows.
    void SetCaptionWidth(int width);
    QLabel& Caption() const { return *caption_; }
    void Relabel(Language language);
    void SetMessageSink(CNumEdit::MessageFunction sink);

    CNumEdit& Frequency() const { return *frequency_; }
    CSpinButtons& FrequencySpin() const { return *frequencySpin_; }
    QComboBox& Slope() const { return *slope_; }
    QComboBox& Family() const { return *family_; }

  signals:
    void FrequencyEdited(int hertz);
    void SlopeEdited(int slope);
    void FamilyEdited(int family);

  private:
    BilingualText captionText_;
    QLabel* caption_;
    CNumEdit* frequency_;
    CSpinButtons* frequencySpin_;
    QComboBox* slope_;
    QComboBox* family_;
};
