// SPDX-License-Identifier: GPL-3.0-or-later
// The up and down arrows beside a numeric field. They step the field's code
// itself rather than its text, so their range is always the field's range;
// a field on the Q scale moves the other way so that the shown Q follows the
// arrow. The keyboard steps the field as the arrows do: Up and Down one
// click, Page Up and Page Down ten clicks' worth, each key press written
// like one click.
#pragma once

#include <QWidget>
#include <cstdint>

#include "curves/BilingualText.h"

class CNumEdit;
class QAbstractButton;

// Shown when a caller sets a position outside the field's range.
inline constexpr BilingualText kSpinPositionMessage{"Position out of range", "Pos设定错误"};

class CSpinButtons : public QWidget {
    Q_OBJECT

  public:
    CSpinButtons(CNumEdit& field, QWidget* parent = nullptr);

    // Codes moved by one click (at least 1).
    void SetClickStep(int32_t step);
    // A frequency spin never goes past 20000 Hz.
    void SetFrequencyMode(bool frequencyMode) { frequencyMode_ = frequencyMode; }

    // Moves the field to `code`; outside the field's range the message is
    // shown and nothing changes. The page is not told, as for `SetValue`.
    void SetPosition(int32_t code);

    void StepUp();
    void StepDown();

    static constexpr int32_t kPageClicks = 10;

    QAbstractButton* UpButton() const { return upButton_; }
    QAbstractButton* DownButton() const { return downButton_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    CNumEdit& field_;
    QAbstractButton* upButton_;
    QAbstractButton* downButton_;
    int32_t clickStep_ = 1;
    bool frequencyMode_ = false;
};
