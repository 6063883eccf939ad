// SPDX-License-Identifier: GPL-3.0-or-later
// The room EQ dialog's texts in both languages of the interface.
#pragma once

#include <array>

#include "curves/BilingualText.h"

namespace RoomEqText {
// The menu that holds the room EQ; "&" marks its Alt key, named in brackets in Chinese.
inline constexpr BilingualText kToolsMenu{"&Tools", "工具(&T)"};
inline constexpr BilingualText kMenuItem{"Room EQ from a measurement...", "根据测量自动均衡..."};
inline constexpr BilingualText kTitle{"Room EQ", "房间自动均衡"};
inline constexpr BilingualText kMeasurements{"Measurements (one file per seat)",
                                             "测量文件（每个座位一个）"};
inline constexpr BilingualText kAdd{"Add...", "添加..."};
inline constexpr BilingualText kRemove{"Remove", "移除"};
inline constexpr BilingualText kColumn{"Column", "数据列"};
inline constexpr BilingualText kColumnHint{"first level column", "第一个电平列"};
inline constexpr BilingualText kCalibration{"Mic calibration", "话筒校准"};
inline constexpr BilingualText kNone{"none", "无"};
inline constexpr BilingualText kChoose{"Choose...", "选择..."};
inline constexpr BilingualText kClear{"Clear", "清除"};
inline constexpr BilingualText kChannel{"Channel", "通道"};
inline constexpr BilingualText kBands{"Bands", "段数"};
inline constexpr BilingualText kMaxBoost{"Most boost", "最大提升"};
inline constexpr BilingualText kShelves{"Shelves allowed", "允许搁架滤波"};
inline constexpr BilingualText kTarget{"Target", "目标曲线"};
inline constexpr BilingualText kFlat{"Flat", "平直"};
inline constexpr BilingualText kHouseCurve{"House curve", "室内曲线"};
inline constexpr BilingualText kTargetFile{"From a file", "来自文件"};
inline constexpr BilingualText kTilt{"Tilt", "斜率"};
inline constexpr BilingualText kPerDecade{" dB/decade", " dB/十倍频"};
inline constexpr BilingualText kBassShelf{"Bass shelf", "低频搁架"};
inline constexpr BilingualText kBelow{" dB below", " dB 低于"};
inline constexpr BilingualText kRange{"Range", "拟合范围"};
inline constexpr BilingualText kSmoothing{"Smoothing", "平滑"};
inline constexpr BilingualText kSmoothingNone{"none", "无"};
inline constexpr BilingualText kFit{"Fit", "计算"};
inline constexpr BilingualText kStop{"Stop", "停止"};
inline constexpr BilingualText kApply{"Apply", "应用"};
inline constexpr BilingualText kCancel{"Cancel", "取消"};
inline constexpr BilingualText kFitting{"Fitting...", "计算中..."};
inline constexpr BilingualText kStopped{"Fit stopped; nothing proposed.", "计算已停止，没有结果。"};
inline constexpr BilingualText kNoMeasurement{"Add a measurement file to start.",
                                              "请先添加测量文件。"};
inline constexpr BilingualText kErrors{
    "Error %1 dB before, %2 dB after (RMS); largest %3 dB, %4 dB",
    "误差：之前 %1 dB，之后 %2 dB（均方根）；最大 %3 dB，%4 dB"};
inline constexpr BilingualText kGainLowered{
    "The bands boost up to %1 dB: the output gain is lowered by %2 dB so the chain cannot clip.",
    "均衡最多提升 %1 dB：输出增益降低 %2 dB，以免削波。"};
inline constexpr BilingualText kBoostNoOutput{
    "The bands boost up to %1 dB: leave that much headroom before this channel.",
    "均衡最多提升 %1 dB：请在此通道前留出相应余量。"};
inline constexpr BilingualText kAllCorrected{"Nothing in the range was left uncorrected.",
                                             "范围内没有未校正的部分。"};
inline constexpr BilingualText kApplyRefused{"The result cannot be applied: %1",
                                             "无法应用结果：%1"};
// Band table headings.
inline constexpr std::array<BilingualText, 5> kColumns{{{"Band", "频段"},
                                                        {"Type", "类型"},
                                                        {"Freq (Hz)", "频率 (Hz)"},
                                                        {"Q", "Q"},
                                                        {"Gain (dB)", "增益 (dB)"}}};
inline constexpr BilingualText kBypassed{"bypassed", "旁路"};
// Plot legend.
inline constexpr BilingualText kMeasured{"Measured", "测量"};
inline constexpr BilingualText kSpread{"Spread of seats", "座位差异"};
inline constexpr BilingualText kTargetCurve{"Target", "目标"};
inline constexpr BilingualText kPredicted{"Predicted", "预测结果"};
// Channels in the order RoomEqChannels lists them.
inline constexpr std::array<BilingualText, 9> kChannels{{{"Music inputs", "音乐输入"},
                                                         {"Mic", "话筒"},
                                                         {"Effect", "效果"},
                                                         {"Out 1 Main L", "输出 1 主左"},
                                                         {"Out 2 Main R", "输出 2 主右"},
                                                         {"Out 3 Center", "输出 3 中置"},
                                                         {"Out 4 Sub", "输出 4 超低"},
                                                         {"Out 5 Surr L", "输出 5 环绕左"},
                                                         {"Out 6 Surr R", "输出 6 环绕右"}}};
inline constexpr BilingualText kMeasurementFilter{
    "Measurements (*.txt *.frd *.csv *.cal *.dat);;All files (*)",
    "测量文件 (*.txt *.frd *.csv *.cal *.dat);;所有文件 (*)"};
}  // namespace RoomEqText
