// SPDX-License-Identifier: GPL-3.0-or-later
// One value of the setup dialog: a caption, a horizontal slider whose
// position is the code, and a numeric box with spin arrows showing the code
// on its scale. Whichever of the three the user moves, the other two follow
// and `Changed` reports the new code once.
//
// The constraint: `Show` (loading, or an owner correcting the value) moves
// the controls without reporting, so a correction never loops back. A shown
// code outside the range stays what it is: the box names it, marked, and the
// slider waits at its nearest end until the user moves one of the three.
#pragma once

#include <QStringList>
#include <QWidget>
#include <cstdint>
#include <functional>

#include "curves/BilingualText.h"

class CNumEdit;
class CSpinButtons;
class QLabel;
class QSlider;

struct SliderFieldScale {
    int32_t scaleType = 0;
    int32_t maximum = 0;
    double step = 0.0;
    double offset = 0.0;
};

class SetupSliderField : public QWidget {
    Q_OBJECT
  public:
    using MessageFunction = std::function<void(const QString& text)>;

    // Codes run from 0 to `scale.maximum`; the box's range message goes to `showMessage`.
    SetupSliderField(int controlId, const SliderFieldScale& scale, MessageFunction showMessage,
                     QWidget* parent = nullptr);

    // The code shown; outside the range only while a held code is shown.
    int Value() const { return value_; }
    // Moves slider and box to `code`; nothing is reported. A code outside the
    // range is shown as it is in the box (marked) with the slider at the
    // nearest end, so the field never names a value the owner does not hold.
    void Show(int code);
    void SetCaption(const QString& caption);
    // Lines up the sliders of fields stacked in one column.
    void SetCaptionWidth(int width);
    // Widens the box for texts of other scales it may be switched to.
    void FitBoxTo(const QStringList& alsoFits);
    void SetLanguage(Language language);

    QLabel* Caption() const { return caption_; }
    QSlider* Slider() const { return slider_; }
    CNumEdit* Box() const { return box_; }
    CSpinButtons* Arrows() const { return arrows_; }

  signals:
    void Changed(int code);

  private:
    void TakeFromSlider(int position);
    void TakeFromBox();

    QLabel* caption_;
    QSlider* slider_;
    CNumEdit* box_;
    CSpinButtons* arrows_;
    int value_ = 0;
    bool showing_ = false;
};
