// SPDX-License-Identifier: GPL-3.0-or-later
// The numbering of the preset-group dialog: which groups each mode lists, the
// device slot behind each shown number, the name a row shows and the message
// an action leaves. Shown numbers 1..10 are the system groups in slots
// 11..20; 11..20 are the user groups in slots 1..10.
//
// The constraint: the last user group (number 20, slot 10) always shows
// "Dance" in the interface language, whatever the device calls it, and
// saving on it sends that name.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "curves/BilingualText.h"

class PresetStore;

enum class PresetGroupMode { AllGroups = 0, UserGroups = 1 };

inline constexpr int kFirstUserGroupNumber = 11;
inline constexpr int kDanceGroupNumber = 20;

// The shown numbers a mode lists, in row order: 1..20, or 11..20.
std::vector<int> ShownGroupNumbers(PresetGroupMode mode);

bool IsSystemGroup(int number);
int DeviceSlotOfGroup(int number);

// The fixed name, "Dance", or the user group's name from the store, as UTF-8.
std::string GroupName(int number, const PresetStore& presets, Language language);

// The message shown after Call: the system-group message with the shown
// number, or the user-group message with the user group's own number.
std::string CalledMessage(int number, Language language);
std::string SavedMessage(int number, Language language);
// The refusal of a name holding `character` (UTF-8), which GBK cannot hold.
std::string NotGbkMessage(std::string_view character, Language language);

// `format` with its "%d" replaced by `number`.
std::string WithNumber(std::string_view format, int number);
