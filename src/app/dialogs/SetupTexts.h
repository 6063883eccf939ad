// SPDX-License-Identifier: GPL-3.0-or-later
// The captions and the message of the system setup dialog, in both languages
// of the interface.
#pragma once

#include <array>

#include "curves/BilingualText.h"

namespace SetupText {
inline constexpr BilingualText kTitle{"Seting", "设置"};
inline constexpr BilingualText kVolumeGroup{"Seting Volume", "音量设置"};
inline constexpr BilingualText kEffectMaximum{"Effect Max Volume", "最大效果音量"};
inline constexpr BilingualText kMicrophoneMaximum{"Mic Max Volume", "最大话筒音量"};
inline constexpr BilingualText kMusicMaximum{"Music Max volume", "最大音乐音量"};
inline constexpr BilingualText kEffectStart{"Effect Start Volume", "效果启始音量"};
inline constexpr BilingualText kMicrophoneStart{"Mic Start Volume", "话筒启始音量"};
inline constexpr BilingualText kMusicStart{"Music Start Volume", "音乐启始音量"};
inline constexpr BilingualText kApplyVolumes{"Seting", "设置"};
inline constexpr BilingualText kVolumesApplied{"Set the volume of success!", "设置音量成功！"};
inline constexpr BilingualText kNoiseGate{"NoiseGate", "噪声门"};
inline constexpr BilingualText kBassAttenuation{"Auto Decay", "低音衰减"};
inline constexpr BilingualText kMode{"Mode", "模式"};
inline constexpr BilingualText kSing{"Sing", "唱歌"};
inline constexpr BilingualText kAuto{"Auto", "自动"};
inline constexpr BilingualText kLinkMain{"Link Main_LR", "主左 主右 联调"};
inline constexpr BilingualText kLinkSurround{"Link Surr_LR", "环左 环右 联调"};
inline constexpr BilingualText kPanelLock{"Panel lock", "面板锁定功能"};
inline constexpr std::array<BilingualText, 3> kLockLevels{{
    {"Unlock", "解锁"},
    {"1 Level", "一级锁"},
    {"2 Level", "二级锁"},
}};
// The language button names the language the interface is in.
inline constexpr BilingualText kLanguageButton{"English", "中文"};
}  // namespace SetupText
