// SPDX-License-Identifier: GPL-3.0-or-later
// What the output level and mix tests share: typing into a numeric box as a
// user does, and page services that notice a level or mix value changed
// outside `EditProgram`, where the USB worker could scan it half-written.
#pragma once

#include <QApplication>
#include <QFocusEvent>
#include <QTest>
#include <vector>

#include "FakePageServices.h"
#include "app/widgets/NumEdit.h"
#include "model/Audio_Data.h"

// Types `text` over the box's contents and leaves the box.
inline void TypeAndLeave(CNumEdit* box, const char* text) {
    box->selectAll();
    QTest::keyClicks(box, text);
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(box, &leave);
}

inline bool AnyOutputFlagged(const CAudio_Data& program) {
    for (int output = 0; output < CAudio_OutRoute::kCount; ++output) {
        const CAudio_OutData& out = program.GetOutput(output);
        if (out.IsGainChanged() != 0 || out.IsMixChanged() != 0) {
            return true;
        }
    }
    return false;
}

inline void ClearOutputFlags(CAudio_Data& program) {
    for (int output = 0; output < CAudio_OutRoute::kCount; ++output) {
        program.GetOutput(output).SetGainChanged(0);
        program.GetOutput(output).SetMixChanged(0);
    }
}

// The level and mix values of every output, to see whether anything moved.
inline std::vector<int32_t> OutputValues(const CAudio_Data& program) {
    std::vector<int32_t> values;
    for (int output = 0; output < CAudio_OutRoute::kCount; ++output) {
        const CAudio_OutData& out = program.GetOutput(output);
        values.insert(values.end(),
                      {out.GetGain(), out.GetDelay(), out.GetLimiterThreshold(),
                       out.GetLimiterAttack(), out.GetLimiterRelease(), out.GetMixMicL(),
                       out.GetMixMicR(), out.GetMixMusicL(), out.GetMixMusicR(), out.GetMicOnL(),
                       out.GetMicOnR(), out.GetMusicOnL(), out.GetMusicOnR()});
    }
    return values;
}

class EditCheckingServices : public FakePageServices {
  public:
    EditCheckingServices() { Settle(); }

    void EditProgram(const std::function<void(CAudio_Data& program)>& edit) override {
        changedOutsideEdit = changedOutsideEdit || OutputValues(base.program) != settled_;
        FakePageServices::EditProgram(edit);
        Settle();
    }

    // The test changed the program itself; what it holds now is not a page's doing.
    void Settle() { settled_ = OutputValues(base.program); }
    // A page changed the program outside the lock since the last edit or `Settle`.
    bool ChangedOutsideEdit() const {
        return changedOutsideEdit || OutputValues(base.program) != settled_;
    }

  private:
    bool changedOutsideEdit = false;
    std::vector<int32_t> settled_;
};
