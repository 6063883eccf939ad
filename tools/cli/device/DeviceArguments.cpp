// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/DeviceArguments.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string_view>

namespace cli {
namespace {
constexpr std::array<std::string_view, 3> kOptionsWithValue = {"--link", "--out", "--timeout"};
constexpr std::array<std::string_view, 8> kDeviceCommands = {
    "read", "write", "recall", "store", "effect-group", "set", "ports", "usb"};
constexpr int kLongestTimeoutSeconds = 3600;

bool TakesValue(std::string_view word) {
    return std::ranges::find(kOptionsWithValue, word) != kOptionsWithValue.end();
}

std::optional<int> ParseSeconds(std::string_view text) {
    int seconds = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || seconds < 1 ||
        seconds > kLongestTimeoutSeconds) {
        return std::nullopt;
    }
    return seconds;
}
}  // namespace

bool IsDeviceCommandLine(const std::vector<std::string>& words) {
    if (std::ranges::any_of(words, [](const std::string& word) {
            return word == "--link" || word == "--timeout" || word == "-v" || word == "--verbose";
        })) {
        return true;
    }
    for (size_t i = 0; i < words.size(); ++i) {
        if (TakesValue(words[i])) {
            ++i;
            continue;
        }
        // The first plain word is the command.
        return std::ranges::find(kDeviceCommands, words[i]) != kDeviceCommands.end();
    }
    return false;
}

std::variant<DeviceArguments, std::string> ParseDeviceArguments(
    const std::vector<std::string>& words) {
    DeviceArguments arguments;
    std::vector<std::string> rest;
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word == "-v" || word == "--verbose") {
            arguments.verbose = true;
            continue;
        }
        if (!TakesValue(word)) {
            rest.push_back(word);
            continue;
        }
        if (i + 1 == words.size()) {
            return word + " needs a value";
        }
        const std::string& value = words[++i];
        if (word == "--link") {
            auto parsed = ParseLinkAddress(value);
            if (const std::string* error = std::get_if<std::string>(&parsed)) {
                return *error;
            }
            arguments.link = std::get<LinkAddress>(std::move(parsed));
            arguments.links.push_back(*arguments.link);
        } else if (word == "--timeout") {
            const std::optional<int> seconds = ParseSeconds(value);
            if (!seconds) {
                return "bad --timeout '" + value + "': whole seconds from 1 to 3600";
            }
            arguments.timeoutSeconds = *seconds;
        } else {
            arguments.outPath = value;
        }
    }
    if (rest.empty()) {
        return std::string("no command given");
    }
    arguments.command = rest.front();
    arguments.operands.assign(rest.begin() + 1, rest.end());
    return arguments;
}

}  // namespace cli
