// SPDX-License-Identifier: GPL-3.0-or-later
// Captions of the output level controls in both languages. The unit button
// shows its unit as text, standing in for one picture per unit.
#pragma once

#include "app/pages/OutputLevelRules.h"
#include "curves/BilingualText.h"

inline constexpr BilingualText kGainCaption{"Gain(dB)", "增益(dB)"};
inline constexpr BilingualText kDelayCaption{"Delay", "延时"};
inline constexpr BilingualText kLimiterCaption{"Limiter", "限幅器"};
inline constexpr BilingualText kThresholdCaption{"Threshold", "门限"};
inline constexpr BilingualText kAttackCaption{"Attack", "启动时间"};
inline constexpr BilingualText kReleaseCaption{"Release", "释放时间"};

inline constexpr BilingualText DelayUnitCaption(DelayUnit unit) {
    switch (unit) {
        case DelayUnit::Metres:
            return {"m", "米"};
        case DelayUnit::Feet:
            return {"ft", "英尺"};
        case DelayUnit::Milliseconds:
            break;
    }
    return {"ms", "毫秒"};
}
