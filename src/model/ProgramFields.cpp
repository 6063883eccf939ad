// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ProgramFields.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <string_view>

#include "model/Audio_Data.h"

namespace {
// Kinds of value; elements first, then the channels' own values.
enum Kind : int {
    kType,
    kFrequency,
    kQ,
    kGain,
    kBypass,
    kAllBypass,
    kSlope,
    kFamily,
    kChannelName,
    kLevel,
    kAuxLevel,
    kFeedbackMode,
    kBassAttenuation,
    kChannelGain,
    kDelay,
    kPolarity,
    kMute,
    kEffectCode,
    kEffectMode,
    kEffectParameter,
    kLimiterThreshold,
    kLimiterAttack,
    kLimiterRelease,
    kMixMicLeft,
    kMixMicRight,
    kMixMusicLeft,
    kMixMusicRight,
    kMicOnLeft,
    kMicOnRight,
    kMusicOnLeft,
    kMusicOnRight,
    kOutputKind,
    kOutputLink,
    kProgramName,
    kKindCount
};

struct Words {
    std::string_view english;
    std::string_view chinese;
};

constexpr std::array<Words, kKindCount> kKindNames{{
    {"type", "类型"},
    {"frequency", "频率"},
    {"Q", "Q值"},
    {"gain", "增益"},
    {"bypass", "旁路"},
    {"all bypass", "总旁路"},
    {"slope", "斜率"},
    {"filter family", "滤波器类型"},
    {"name", "名称"},
    {"level", "电平"},
    {"aux level", "辅助电平"},
    {"feedback mode", "反馈抑制模式"},
    {"bass attenuation", "低音衰减"},
    {"gain", "增益"},
    {"delay", "延时"},
    {"polarity", "相位"},
    {"mute", "静音"},
    {"effect setting", "效果设置"},
    {"effect mode", "效果模式"},
    {"effect parameter", "效果参数"},
    {"limiter threshold", "限幅器门限"},
    {"limiter attack", "限幅器启动时间"},
    {"limiter release", "限幅器释放时间"},
    {"mic mix (left)", "话筒混音(左)"},
    {"mic mix (right)", "话筒混音(右)"},
    {"music mix (left)", "音乐混音(左)"},
    {"music mix (right)", "音乐混音(右)"},
    {"mic switch (left)", "话筒开关(左)"},
    {"mic switch (right)", "话筒开关(右)"},
    {"music switch (left)", "音乐开关(左)"},
    {"music switch (right)", "音乐开关(右)"},
    {"output kind", "输出类型"},
    {"output link", "输出联调"},
    {"program name", "程序名称"},
}};

// The effect parameters in their byte order, as the effect page names them.
constexpr std::array<Words, EffectParam::kCount> kEffectParameterNames{{
    {"reverb direct", "混响直达声"},
    {"reverb time", "混响时间"},
    {"reverb pre-delay", "混响预延时"},
    {"reverb high damp", "混响高频比例"},
    {"reverb volume", "混响音量"},
    {"noise gate", "噪声门"},
    {"effect output level", "效果输出电平"},
    {"echo high damp", "回声高频比例"},
    {"left echo delay", "左延时"},
    {"left echo pre-delay", "左预延时"},
    {"left echo repeat", "左重复"},
    {"echo volume", "回声音量"},
    {"right echo delay", "右延时"},
    {"right echo pre-delay", "右预延时"},
    {"right echo repeat", "右重复"},
    {"echo direct", "回声直达声"},
}};

constexpr std::array<Words, 4> kFixedChannelNames{{
    {"music left", "音乐左"},
    {"music right", "音乐右"},
    {"microphone", "话筒"},
    {"effect", "效果"},
}};

// A 32-bit hash of a name, so that a renamed channel shows as a changed value.
int32_t NameValue(const std::string& name) {
    uint32_t hash = 2166136261u;
    for (unsigned char c : name) {
        hash = (hash ^ c) * 16777619u;
    }
    return static_cast<int32_t>(hash);
}

int32_t GainIndexOf(const CFilter& element) {
    return static_cast<int32_t>(std::lround((element.GetGain() + 20.0) * 10.0));
}

// Walks the program in layout order; `visit` gets each id with its value.
using Visitor = std::function<void(const ProgramFieldId& id, int32_t value)>;

void VisitChain(int channel, const CEQ& chain, const Visitor& visit) {
    for (int i = 0; i < chain.GetCount(); ++i) {
        const CFilter& element = chain.GetElement(i);
        visit({channel, i, kType, 0}, element.GetType());
        visit({channel, i, kFrequency, 0}, element.GetFrequency());
        visit({channel, i, kQ, 0}, element.GetBandwidthIndex());
        visit({channel, i, kGain, 0}, GainIndexOf(element));
        visit({channel, i, kBypass, 0}, element.GetBypass());
        visit({channel, i, kAllBypass, 0}, element.GetAllBypass());
        visit({channel, i, kSlope, 0}, element.GetSlope());
        visit({channel, i, kFamily, 0}, element.GetFamily());
    }
}

void VisitProgram(CAudio_Data& program, const Visitor& visit) {
    for (int channel = 0; channel < CAudio_InRoute::kCount; ++channel) {
        CAudio_InData& input = program.GetInput(channel);
        visit({channel, -1, kChannelName, 0}, NameValue(input.GetName()));
        visit({channel, -1, kLevel, 0}, input.GetLevel());
        visit({channel, -1, kAuxLevel, 0}, input.GetAuxLevel());
        visit({channel, -1, kFeedbackMode, 0}, input.GetFeedbackMode());
        visit({channel, -1, kBassAttenuation, 0}, input.GetBassAttenuation());
        visit({channel, -1, kChannelGain, 0}, input.GetGain());
        visit({channel, -1, kDelay, 0}, input.GetDelay());
        visit({channel, -1, kPolarity, 0}, input.GetPolarity());
        visit({channel, -1, kMute, 0}, input.GetMute());
        for (int code = 0; code < 4; ++code) {
            visit({channel, -1, kEffectCode, code}, input.GetEffectCode(code));
        }
        VisitChain(channel, input.GetChain(), visit);
    }
    const CAudio_EffectData& effect = program.GetEffect();
    visit({kEffectFieldChannel, -1, kEffectMode, 0}, effect.GetEffectMode());
    for (int param = 0; param < EffectParam::kCount; ++param) {
        visit({kEffectFieldChannel, -1, kEffectParameter, param}, effect.GetEffectParam(param));
    }
    VisitChain(kEffectFieldChannel, effect.GetChain(), visit);
    for (int index = 0; index < CAudio_OutRoute::kCount; ++index) {
        const CAudio_OutData& output = program.GetOutput(index);
        const int channel = kFirstOutputFieldChannel + index;
        visit({channel, -1, kChannelName, 0}, NameValue(output.GetName()));
        visit({channel, -1, kChannelGain, 0}, output.GetGain());
        visit({channel, -1, kDelay, 0}, output.GetDelay());
        visit({channel, -1, kLimiterThreshold, 0}, output.GetLimiterThreshold());
        visit({channel, -1, kLimiterAttack, 0}, output.GetLimiterAttack());
        visit({channel, -1, kLimiterRelease, 0}, output.GetLimiterRelease());
        visit({channel, -1, kMixMicLeft, 0}, output.GetMixMicL());
        visit({channel, -1, kMixMicRight, 0}, output.GetMixMicR());
        visit({channel, -1, kMixMusicLeft, 0}, output.GetMixMusicL());
        visit({channel, -1, kMixMusicRight, 0}, output.GetMixMusicR());
        visit({channel, -1, kMicOnLeft, 0}, output.GetMicOnL());
        visit({channel, -1, kMicOnRight, 0}, output.GetMicOnR());
        visit({channel, -1, kMusicOnLeft, 0}, output.GetMusicOnL());
        visit({channel, -1, kMusicOnRight, 0}, output.GetMusicOnR());
        visit({channel, -1, kPolarity, 0}, output.GetPolarity());
        visit({channel, -1, kOutputKind, 0}, output.GetOutputKind());
        VisitChain(channel, output.GetChain(), visit);
    }
    const COutputLinkTable& links = program.GetOutputLinks();
    for (int index = 0; index < COutputLinkTable::kOutputCount; ++index) {
        visit({kProgramFieldChannel, -1, kOutputLink, index}, links.GetGroup(index));
    }
    visit({kProgramFieldChannel, -1, kProgramName, 0}, NameValue(program.GetName()));
}

int BandCountOf(int channel) {
    if (channel == kEffectFieldChannel) {
        return CAudio_EffectData::kBandCount;
    }
    return channel < kEffectFieldChannel ? CAudio_InData::kBandCount : CAudio_OutData::kBandCount;
}

Words KindWords(const ProgramFieldId& id) {
    if (id.kind == kEffectParameter) {
        return kEffectParameterNames.at(static_cast<size_t>(id.sub));
    }
    return kKindNames.at(static_cast<size_t>(id.kind));
}

ProgramChangeName ChannelName(int channel) {
    if (channel < kFirstOutputFieldChannel) {
        const Words& words = kFixedChannelNames.at(static_cast<size_t>(channel));
        return {std::string(words.english), std::string(words.chinese)};
    }
    const std::string number = std::to_string(channel - kFirstOutputFieldChannel + 1);
    return {"output " + number, "输出" + number};
}

ProgramChangeName ElementName(const ProgramFieldId& id) {
    const int bands = BandCountOf(id.channel);
    if (id.element == bands) {
        return {"high-pass", "高通"};
    }
    if (id.element == bands + 1) {
        return {"low-pass", "低通"};
    }
    const std::string number = std::to_string(id.element + 1);
    return {"band " + number, "第" + number + "段"};
}

// "music left, music right" / "音乐左、音乐右", in list order without repeats.
ProgramChangeName ChannelList(const std::vector<int>& channels) {
    ProgramChangeName list;
    for (size_t i = 0; i < channels.size(); ++i) {
        const ProgramChangeName name = ChannelName(channels[i]);
        list.english += (i == 0 ? "" : ", ") + name.english;
        list.chinese += (i == 0 ? "" : "、") + name.chinese;
    }
    return list;
}

template <typename Key>
bool AllShare(const std::vector<size_t>& changed, Key key) {
    const auto& layout = ProgramFieldLayout();
    for (size_t index : changed) {
        if (key(layout[index]) != key(layout[changed.front()])) {
            return false;
        }
    }
    return true;
}
}  // namespace

const std::vector<ProgramFieldId>& ProgramFieldLayout() {
    static const std::vector<ProgramFieldId> layout = [] {
        CAudio_Data program;
        std::vector<ProgramFieldId> ids;
        VisitProgram(program, [&ids](const ProgramFieldId& id, int32_t) { ids.push_back(id); });
        return ids;
    }();
    return layout;
}

std::vector<int32_t> ReadProgramFields(CAudio_Data& program) {
    std::vector<int32_t> values;
    values.reserve(ProgramFieldLayout().size());
    VisitProgram(program,
                 [&values](const ProgramFieldId&, int32_t value) { values.push_back(value); });
    return values;
}

std::vector<size_t> DifferingFields(const std::vector<int32_t>& before,
                                    const std::vector<int32_t>& after) {
    std::vector<size_t> changed;
    for (size_t i = 0; i < before.size() && i < after.size(); ++i) {
        if (before[i] != after[i]) {
            changed.push_back(i);
        }
    }
    return changed;
}

namespace {
// A band's gain set away from 0 dB switches its bypass off (and back at 0 dB): that
// bypass is part of the gain edit, not a change to name.
std::vector<size_t> WithoutBypassFollowingGain(const std::vector<size_t>& changed) {
    const auto& layout = ProgramFieldLayout();
    auto gainChanged = [&](const ProgramFieldId& id) {
        return std::any_of(changed.begin(), changed.end(), [&](size_t index) {
            const ProgramFieldId& other = layout[index];
            return other.kind == kGain && other.channel == id.channel &&
                   other.element == id.element;
        });
    };
    std::vector<size_t> kept;
    for (size_t index : changed) {
        const ProgramFieldId& id = layout[index];
        if ((id.kind == kBypass || id.kind == kAllBypass) && gainChanged(id)) {
            continue;
        }
        kept.push_back(index);
    }
    return kept;
}
}  // namespace

ProgramChangeName NameChange(const std::vector<size_t>& allChanged) {
    const ProgramChangeName several{"several changes", "多项修改"};
    const std::vector<size_t> changed = WithoutBypassFollowingGain(allChanged);
    if (changed.empty()) {
        return several;
    }
    const auto& layout = ProgramFieldLayout();
    const ProgramFieldId& first = layout[changed.front()];
    std::vector<int> channels;
    for (size_t index : changed) {
        const int channel = layout[index].channel;
        if (channels.empty() || channels.back() != channel) {
            channels.push_back(channel);
        }
    }
    // Linking outputs also copies the leader's settings to the follower: the link names it.
    const bool linked = std::any_of(changed.begin(), changed.end(), [&layout](size_t index) {
        return layout[index].kind == kOutputLink;
    });
    if (linked) {
        return {std::string(kKindNames[kOutputLink].english),
                std::string(kKindNames[kOutputLink].chinese)};
    }
    if (std::find(channels.begin(), channels.end(), kProgramFieldChannel) != channels.end()) {
        if (changed.size() == 1) {
            const Words words = KindWords(first);
            return {std::string(words.english), std::string(words.chinese)};
        }
        return several;
    }
    const ProgramChangeName where = ChannelList(channels);
    const bool oneElement = AllShare(changed, [](const ProgramFieldId& id) { return id.element; });
    const bool oneKind =
        AllShare(changed, [](const ProgramFieldId& id) { return id.kind * 64 + id.sub; });
    if (oneKind) {
        const Words what = KindWords(first);
        if (oneElement && first.element >= 0) {
            const ProgramChangeName element = ElementName(first);
            return {std::string(what.english) + " of " + element.english + ", " + where.english,
                    where.chinese + element.chinese + std::string(what.chinese)};
        }
        return {std::string(what.english) + " of " + where.english,
                where.chinese + std::string(what.chinese)};
    }
    if (oneElement && first.element >= 0) {
        const ProgramChangeName element = ElementName(first);
        return {element.english + ", " + where.english, where.chinese + element.chinese};
    }
    if (channels.size() == 1) {
        return where;
    }
    return several;
}
