// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ParameterPath.h"

#include <charconv>
#include <optional>

#include "model/Audio_EffectData.h"
#include "model/Audio_InData.h"
#include "model/Audio_OutData.h"

namespace {
constexpr int kInputCount = 3;
constexpr int kOutputCount = 6;

std::optional<int> NumberAfter(std::string_view text, std::string_view prefix) {
    if (!text.starts_with(prefix) || text.size() == prefix.size()) {
        return std::nullopt;
    }
    const std::string_view digits = text.substr(prefix.size());
    // "band01" and "out+1" would be second spellings of one path.
    if (digits.front() < '0' || digits.front() > '9' || (digits.size() > 1 && digits[0] == '0')) {
        return std::nullopt;
    }
    int number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc() || end != digits.data() + digits.size()) {
        return std::nullopt;
    }
    return number;
}

std::optional<ParameterPath> ParseChannel(std::string_view word) {
    ParameterPath path;
    if (word == "fx") {
        path.channel = PathChannel::Effect;
        return path;
    }
    if (const std::optional<int> input = NumberAfter(word, "in"); input && *input < kInputCount) {
        path.channel = PathChannel::Input;
        path.index = *input;
        return path;
    }
    if (const std::optional<int> output = NumberAfter(word, "out");
        output && *output < kOutputCount) {
        path.channel = PathChannel::Output;
        path.index = *output;
        return path;
    }
    return std::nullopt;
}

std::string ChannelWord(const ParameterPath& path) {
    switch (path.channel) {
        case PathChannel::Input:
            return "in" + std::to_string(path.index);
        case PathChannel::Output:
            return "out" + std::to_string(path.index);
        default:
            return "fx";
    }
}
}  // namespace

int PathBandCount(PathChannel channel) {
    switch (channel) {
        case PathChannel::Input:
            return CAudio_InData::kBandCount;
        case PathChannel::Output:
            return CAudio_OutData::kBandCount;
        default:
            return CAudio_EffectData::kBandCount;
    }
}

std::string FormatParameterPath(const ParameterPath& path) {
    std::string text = ChannelWord(path);
    switch (path.element) {
        case PathElement::Band:
            text += ".band" + std::to_string(path.band + 1);
            break;
        case PathElement::HighPass:
            text += ".hp";
            break;
        case PathElement::LowPass:
            text += ".lp";
            break;
        default:
            break;
    }
    if (!path.field.empty()) {
        text += '.';
        text += path.field;
    }
    return text;
}

std::variant<ParameterPath, std::string> ParseParameterPath(std::string_view text) {
    const auto quoted = [&] { return "'" + std::string(text) + "'"; };
    const size_t firstDot = text.find('.');
    std::optional<ParameterPath> parsed = ParseChannel(text.substr(0, firstDot));
    if (!parsed) {
        return quoted() + " does not start with a channel: in0, in1, in2, fx or out0..out5";
    }
    ParameterPath path = *parsed;
    if (firstDot == std::string_view::npos || firstDot + 1 == text.size()) {
        return quoted() + " names a channel but no parameter";
    }
    std::string_view rest = text.substr(firstDot + 1);
    const size_t secondDot = rest.find('.');
    const std::string_view second = rest.substr(0, secondDot);
    if (second == "hp" || second == "lp") {
        path.element = second == "hp" ? PathElement::HighPass : PathElement::LowPass;
    } else if (second.starts_with("band")) {
        const std::optional<int> band = NumberAfter(second, "band");
        const int count = PathBandCount(path.channel);
        if (!band || *band < 1 || *band > count) {
            return quoted() + ": " + std::string(second) + " is not one of band1..band" +
                   std::to_string(count);
        }
        path.element = PathElement::Band;
        path.band = *band - 1;
    }
    if (path.element != PathElement::None) {
        if (secondDot == std::string_view::npos || secondDot + 1 == rest.size()) {
            return quoted() + " names an element but no field of it";
        }
        rest = rest.substr(secondDot + 1);
    }
    path.field = std::string(rest);
    return path;
}
