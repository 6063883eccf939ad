// SPDX-License-Identifier: GPL-3.0-or-later
// The "All Bypass" switch of the EQ pages: the kit's on/off switch in the
// warning colour, since its on state takes a whole equaliser out of the
// signal. Its state reads as a word and a knob position, not only a shade.
#pragma once

#include "controls/Describe.h"
#include "controls/KitPalette.h"
#include "controls/KitSwitch.h"
#include "curves/BilingualText.h"

inline constexpr BilingualText kSwitchOnText{"ON", "开"};
inline constexpr BilingualText kSwitchOffText{"OFF", "关"};
inline constexpr BilingualText kAllBypassTip{"takes every band of this equaliser out of the signal",
                                             "使本均衡的所有频段旁路"};

inline KitSwitch* MakeAllBypassSwitch(QWidget* parent) {
    auto* control = new KitSwitch(parent);
    control->SetOnColour(KitPalette::Warning());
    return control;
}

inline void RelabelAllBypassSwitch(KitSwitch& control, const BilingualText& caption,
                                   Language language) {
    control.setText(KitText(caption, language));
    control.SetStateTexts(KitText(kSwitchOnText, language), KitText(kSwitchOffText, language));
    Describe(&control, caption, kAllBypassTip, language);
}
