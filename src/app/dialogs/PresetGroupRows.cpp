// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogs/PresetGroupRows.h"

#include "app/dialogs/PresetGroupTexts.h"
#include "model/GbkText.h"
#include "model/PresetStore.h"

namespace {
constexpr int kGroupsPerKind = 10;
}  // namespace

std::vector<int> ShownGroupNumbers(PresetGroupMode mode) {
    const int first = mode == PresetGroupMode::AllGroups ? 1 : kFirstUserGroupNumber;
    std::vector<int> numbers;
    for (int number = first; number <= kDanceGroupNumber; ++number) {
        numbers.push_back(number);
    }
    return numbers;
}

bool IsSystemGroup(int number) {
    return number < kFirstUserGroupNumber;
}

int DeviceSlotOfGroup(int number) {
    return IsSystemGroup(number) ? number + kGroupsPerKind : number - kGroupsPerKind;
}

std::string GroupName(int number, const PresetStore& presets, Language language) {
    if (IsSystemGroup(number)) {
        return std::string(PresetGroupText::kSystemGroupNames.at(number - 1).In(language));
    }
    if (number == kDanceGroupNumber) {
        return std::string(PresetGroupText::kDance.In(language));
    }
    return DecodeGbk(presets.Name(DeviceSlotOfGroup(number)));
}

std::string CalledMessage(int number, Language language) {
    if (IsSystemGroup(number)) {
        return WithNumber(PresetGroupText::kSystemGroupCalled.In(language), number);
    }
    return WithNumber(PresetGroupText::kUserGroupCalled.In(language), DeviceSlotOfGroup(number));
}

std::string SavedMessage(int number, Language language) {
    return WithNumber(PresetGroupText::kSaved.In(language), number);
}

std::string NotGbkMessage(std::string_view character, Language language) {
    std::string text(PresetGroupText::kNotGbk.In(language));
    const size_t at = text.find("%s");
    if (at != std::string::npos) {
        text.replace(at, 2, character);
    }
    return text;
}

std::string WithNumber(std::string_view format, int number) {
    std::string text(format);
    const size_t at = text.find("%d");
    if (at != std::string::npos) {
        text.replace(at, 2, std::to_string(number));
    }
    return text;
}
