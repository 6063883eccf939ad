// SPDX-License-Identifier: GPL-3.0-or-later
// The texts of the preset-group dialog in both languages of the interface,
// including the fixed names of the ten system groups. The messages carry one
// "%d" for the group number.
#pragma once

#include <array>

#include "curves/BilingualText.h"

namespace PresetGroupText {
inline constexpr BilingualText kTitle{"SysData", "系统数据"};
inline constexpr BilingualText kNumberColumn{"NO.", "组号"};
inline constexpr BilingualText kNameColumn{"Program", "组名"};
inline constexpr BilingualText kLabelPrefix{"ID", "组号"};
inline constexpr BilingualText kCall{"Call", "调用"};
inline constexpr BilingualText kSave{"Save", "保存"};
inline constexpr BilingualText kDance{"Dance", "热舞"};
inline constexpr BilingualText kNotConnected{"You didn't go online, online!", "您没有联机,请联机!"};
inline constexpr BilingualText kSystemGroupCalled{"You readed the Sys group reported %d!",
                                                  "您读取的是第%d组系统数据!"};
inline constexpr BilingualText kUserGroupCalled{"You readed the User group reported %d!",
                                                "您读取的是第%d组用户数据!"};
inline constexpr BilingualText kSaved{"You have saved %d groups according to the download!",
                                      "您已把第%d组用户数据下载到机器!"};
inline constexpr BilingualText kEmptyName{"Program Name is not empty", "程序名不能为空"};
// "%s" is the character.
inline constexpr BilingualText kNotGbk{
    "The device cannot store the character \"%s\" in a name; please use another one",
    "设备的名称中不能保存字符“%s”,请换用其他字符"};

// Shown numbers 1..10; the device keeps these groups in slots 11..20.
inline constexpr std::array<BilingualText, 10> kSystemGroupNames{{
    {"SROOM.1", "小房一"},
    {"SROOM.2", "小房二"},
    {"MROOM.1", "中房一"},
    {"MROOM.2", "中房二"},
    {"BROOM.1", "大房一"},
    {"BROOM.2", "大房二"},
    {"BHALL.1", "大厅一"},
    {"BHALL.2", "大厅二"},
    {"LOCALE.1", "现场一"},
    {"LOCALE.2", "现场二"},
}};
}  // namespace PresetGroupText
