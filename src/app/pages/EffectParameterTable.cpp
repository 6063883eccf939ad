// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/EffectParameterTable.h"

#include "curves/ScaleConversion.h"
#include "model/Audio_EffectData.h"

const std::array<BilingualText, kEffectParameterColumns> kEffectParameterColumnHeadings = {{
    {"Reverb", "混响"},
    {"Echo L", "左回声"},
    {"Echo R", "右回声"},
}};

// Top to bottom within each column.
const std::array<EffectParameterControl, kEffectParameterControls> kEffectParameterControlTable = {{
    {0, EffectParam::kReverbDirect, 99, ScaleType::kPercent, {"Direct", "直达声"}},
    {0, EffectParam::kReverbPreDelay, 100, ScaleType::kPercent, {"Pre-delay", "预延时"}},
    {0, EffectParam::kReverbTime, 60, ScaleType::kTenthsSeconds, {"Reverb time", "混响时间"}},
    {0, EffectParam::kReverbHighRatio, 50, ScaleType::kTenths, {"Hi Damp", "高频比例"}},
    {0, EffectParam::kReverbVolume, 99, ScaleType::kPercent, {"Volume", "音量"}},
    {1, EffectParam::kLeftEchoDelay, 250, ScaleType::kMilliseconds, {"L.Delay", "左延时"}},
    {1, EffectParam::kLeftEchoPreDelay, 250, ScaleType::kMilliseconds, {"L.Pre-delay", "左预延时"}},
    {1, EffectParam::kLeftEchoRepeat, 99, ScaleType::kPercent, {"L.Repeat", "左重复"}},
    {1, EffectParam::kEchoDirect, 99, ScaleType::kPercent, {"Direct", "直达声"}},
    {1, EffectParam::kEchoVolume, 99, ScaleType::kPercent, {"Volume", "音量"}},
    {2, EffectParam::kRightEchoDelay, 250, ScaleType::kMilliseconds, {"R.Delay", "右延时"}},
    {2,
     EffectParam::kRightEchoPreDelay,
     250,
     ScaleType::kMilliseconds,
     {"R.Pre-delay", "右预延时"}},
    {2, EffectParam::kRightEchoRepeat, 99, ScaleType::kPercent, {"R.Repeat", "右重复"}},
    {2, EffectParam::kEchoHighRatio, 50, ScaleType::kTenths, {"Hi Damp", "高频比例"}},
}};
