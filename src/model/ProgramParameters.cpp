// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ProgramParameters.h"

#include <algorithm>
#include <array>
#include <vector>

#include "curves/BandwidthTable.h"
#include "curves/ResponseKinds.h"
#include "model/Audio_Data.h"
#include "model/ParameterValueForm.h"
#include "model/ProgramFile.h"

namespace {
constexpr int kMicrophone = 2;
constexpr int kInputCount = 3;
constexpr int kOutputCount = 6;
constexpr int32_t kShelfFrequencyLimit = 2000;
constexpr int32_t kLowestFrequency = 20;

constexpr std::array<std::string_view, 3> kBandTypes{"PEQ", "Lo_EQ", "Hi_EQ"};
constexpr std::array<std::string_view, 2> kShelfSlopes{"6dB", "12dB"};
constexpr std::array<std::string_view, 4> kCrossoverSlopes{"12dB/Oct", "18dB/Oct", "24dB/Oct",
                                                           "48dB/Oct"};
constexpr std::array<std::string_view, 3> kFamilies{"Lin_Ril", "Bessel", "ButterW"};
constexpr std::array<std::string_view, 5> kFeedbackModes{"OFF", "FBX1", "FBX2", "FBX3", "FBX4"};
constexpr std::array<std::string_view, 6> kReleaseFactors{"2X", "4X", "6X", "8X", "16X", "32X"};

ParameterPath ChannelPath(PathChannel channel, int index) {
    ParameterPath path;
    path.channel = channel;
    path.index = index;
    return path;
}

// Where a field lives: the program, the path, and the element when the path names one.
struct Site {
    CAudio_Data& program;
    const ParameterPath& path;
    CFilter* element = nullptr;

    CAudio_InData& Input() const { return program.GetInput(path.index); }
    CAudio_OutData& Output() const { return program.GetOutput(path.index); }
    CAudio_EffectData& Effect() const { return program.GetEffect(); }
};

struct FieldRule {
    std::string_view name;
    ValueForm form;
    int32_t (*read)(const Site&, const FieldRule&);
    void (*write)(const Site&, const FieldRule&, int32_t code);
    // Whether the element has this field now (a shelf has no Q); null: always.
    bool (*present)(const Site&) = nullptr;
    // A reason the page would not take this code here; null: none.
    std::optional<std::string> (*refuse)(const Site&, int32_t code) = nullptr;
    // The effect parameter byte of an effect field.
    int effectParameter = 0;
};

bool IsShelf(const Site& site) {
    const int type = site.element->GetType();
    return type == ElementType::kLowShelf || type == ElementType::kHighShelf;
}

bool IsPeaking(const Site& site) {
    return !IsShelf(site);
}

// As the type drop-down does: a shelf's frequency is moved into its range.
void WriteBandType(const Site& site, const FieldRule&, int32_t code) {
    CFilter& band = *site.element;
    band.SetType(code);
    if (code == ElementType::kLowShelf && band.GetFrequency() > kShelfFrequencyLimit) {
        band.SetFrequency(kShelfFrequencyLimit);
    } else if (code == ElementType::kHighShelf && band.GetFrequency() < kShelfFrequencyLimit) {
        band.SetFrequency(kShelfFrequencyLimit);
    }
}

std::optional<std::string> RefuseShelfFrequency(const Site& site, int32_t hertz) {
    const int type = site.element->GetType();
    if (type == ElementType::kLowShelf && hertz > kShelfFrequencyLimit) {
        return std::string("a Lo_EQ band takes 20..2000 Hz");
    }
    if (type == ElementType::kHighShelf && hertz < kShelfFrequencyLimit) {
        return std::string("a Hi_EQ band takes 2000..20000 Hz");
    }
    return std::nullopt;
}

std::optional<std::string> RefuseBypassAtZeroGain(const Site& site, int32_t flag) {
    if (flag == 0 && site.element->GetGain() == 0.0) {
        return std::string("a band at 0.0 dB stays bypassed; give it a gain first");
    }
    return std::nullopt;
}

const FieldRule kFrequencyField{
    "freq", ScaledForm(ScaleType::kFrequency, kLowestFrequency, kTopFrequency, "Hz"),
    [](const Site& site, const FieldRule&) { return int32_t{site.element->GetFrequency()}; },
    [](const Site& site, const FieldRule&, int32_t code) { site.element->SetFrequency(code); }};

const FieldRule kQField{
    "q", ScaledForm(ScaleType::kQ, 0, kBandwidthIndexCount - 1, ""),
    [](const Site& site, const FieldRule&) { return int32_t{site.element->GetBandwidthIndex()}; },
    [](const Site& site, const FieldRule&, int32_t code) {
        site.element->SetBandwidthIndex(code);
    }};

const FieldRule kGainField{
    "gain", ScaledForm(ScaleType::kLinear, 0, 300, "dB", 0.1, 20.0),
    [](const Site& site, const FieldRule&) { return int32_t{site.element->GetGainIndex()}; },
    [](const Site& site, const FieldRule&, int32_t code) { site.element->SetGainIndex(code); }};

const FieldRule kBypassField{
    "bypass",
    SwitchForm(),
    [](const Site& site, const FieldRule&) { return int32_t{site.element->GetBypassState()}; },
    [](const Site& site, const FieldRule&, int32_t code) { site.element->SetBypass(code); },
    nullptr,
    RefuseBypassAtZeroGain};

const std::vector<FieldRule> kBandFields = [] {
    FieldRule type{
        "type", ChoiceForm(kBandTypes),
        [](const Site& site, const FieldRule&) { return int32_t{site.element->GetType()}; },
        WriteBandType};
    FieldRule slope{
        "slope", ChoiceForm(kShelfSlopes),
        [](const Site& site, const FieldRule&) { return int32_t{site.element->GetSlope()}; },
        [](const Site& site, const FieldRule&, int32_t code) { site.element->SetSlope(code); },
        IsShelf};
    FieldRule frequency = kFrequencyField;
    frequency.refuse = RefuseShelfFrequency;
    FieldRule q = kQField;
    q.present = IsPeaking;
    return std::vector<FieldRule>{type, slope, frequency, q, kGainField, kBypassField};
}();

// The effect page cannot change a band's kind, so its bands keep every field.
const std::vector<FieldRule> kEffectBandFields{kFrequencyField, kQField, kGainField, kBypassField};

const std::vector<FieldRule> kCrossoverFields{kFrequencyField};

const std::vector<FieldRule> kOutputCrossoverFields{
    kFrequencyField,
    {"slope", ChoiceForm(kCrossoverSlopes),
     [](const Site& site, const FieldRule&) { return int32_t{site.element->GetSlope()}; },
     [](const Site& site, const FieldRule&, int32_t code) { site.element->SetSlope(code); }},
    {"family", ChoiceForm(kFamilies),
     [](const Site& site, const FieldRule&) { return int32_t{site.element->GetFamily()}; },
     [](const Site& site, const FieldRule&, int32_t code) { site.element->SetFamily(code); }},
};

const std::vector<FieldRule> kMicrophoneFields{
    {"feedback", ChoiceForm(kFeedbackModes),
     [](const Site& site, const FieldRule&) { return int32_t{site.Input().GetFeedbackMode()}; },
     [](const Site& site, const FieldRule&, int32_t code) {
         site.Input().SetFeedbackMode(static_cast<uint8_t>(code));
     }},
    {"auto-decay",
     ScaledForm(ScaleType::kLinearDecibels, 0, CAudio_InData::kMaxBassAttenuation, "dB", 1.0, 20.0),
     [](const Site& site, const FieldRule&) { return int32_t{site.Input().GetBassAttenuation()}; },
     [](const Site& site, const FieldRule&, int32_t code) {
         site.Input().SetBassAttenuation(static_cast<uint8_t>(code));
     }},
};

FieldRule EffectField(std::string_view name, int parameter, ValueForm form) {
    return {name,
            form,
            [](const Site& site, const FieldRule& rule) {
                return int32_t{site.Effect().GetEffectParam(rule.effectParameter)};
            },
            [](const Site& site, const FieldRule& rule, int32_t code) {
                site.Effect().SetEffectParam(rule.effectParameter, static_cast<uint8_t>(code));
            },
            nullptr,
            nullptr,
            parameter};
}

const std::vector<FieldRule> kEffectFields = [] {
    using namespace EffectParam;
    const auto percent = [](int32_t top) { return ScaledForm(ScaleType::kPercent, 0, top, "%"); };
    const ValueForm ratio = ScaledForm(ScaleType::kTenths, 0, 50, "");
    const ValueForm echoTime = ScaledForm(ScaleType::kMilliseconds, 0, 250, "ms");
    return std::vector<FieldRule>{
        EffectField("reverb.direct", kReverbDirect, percent(99)),
        EffectField("reverb.time", kReverbTime, ScaledForm(ScaleType::kTenthsSeconds, 0, 60, "s")),
        EffectField("reverb.predelay", kReverbPreDelay, percent(100)),
        EffectField("reverb.hidamp", kReverbHighRatio, ratio),
        EffectField("reverb.volume", kReverbVolume, percent(99)),
        EffectField("echo.hidamp", kEchoHighRatio, ratio),
        EffectField("echo.left.delay", kLeftEchoDelay, echoTime),
        EffectField("echo.left.predelay", kLeftEchoPreDelay, echoTime),
        EffectField("echo.left.repeat", kLeftEchoRepeat, percent(99)),
        EffectField("echo.right.delay", kRightEchoDelay, echoTime),
        EffectField("echo.right.predelay", kRightEchoPreDelay, echoTime),
        EffectField("echo.right.repeat", kRightEchoRepeat, percent(99)),
        EffectField("echo.volume", kEchoVolume, percent(99)),
        EffectField("echo.direct", kEchoDirect, percent(99)),
        EffectField("noisegate", kNoiseGate, ScaledForm(ScaleType::kDecibelOffset, 0, 100, "dB")),
    };
}();

const std::vector<FieldRule> kOutputFields{
    {"gain", ScaledForm(ScaleType::kLinearWhole, 0, 50, "dB", 1.0, 40.0),
     [](const Site& site, const FieldRule&) { return site.Output().GetGain(); },
     [](const Site& site, const FieldRule&, int32_t code) { site.Output().SetGain(code); }},
    {"delay", ScaledForm(ScaleType::kDelayMilliseconds, 0, 566, "ms"),
     [](const Site& site, const FieldRule&) { return site.Output().GetDelay(); },
     [](const Site& site, const FieldRule&, int32_t code) { site.Output().SetDelay(code); }},
    {"limiter.threshold", ScaledForm(ScaleType::kLinearDecibels, 0, 80, "dB", 0.5, 30.0),
     [](const Site& site, const FieldRule&) { return site.Output().GetLimiterThreshold(); },
     [](const Site& site, const FieldRule&, int32_t code) {
         site.Output().SetLimiterThreshold(code);
     }},
    {"limiter.attack", ScaledForm(ScaleType::kLimiterAttack, 0, 106, "ms"),
     [](const Site& site, const FieldRule&) { return site.Output().GetLimiterAttack(); },
     [](const Site& site, const FieldRule&, int32_t code) {
         site.Output().SetLimiterAttack(code);
     }},
    {"limiter.release", ChoiceForm(kReleaseFactors),
     [](const Site& site, const FieldRule&) { return site.Output().GetLimiterRelease(); },
     [](const Site& site, const FieldRule&, int32_t code) {
         site.Output().SetLimiterRelease(code);
     }},
    {"mix.music", ScaledForm(ScaleType::kPercent, 0, 99, "%"),
     [](const Site& site, const FieldRule&) { return int32_t{site.Output().GetMixMusic()}; },
     [](const Site& site, const FieldRule&, int32_t code) {
         site.Output().SetMixMusic(static_cast<uint8_t>(code));
     }},
    {"mix.mic", ScaledForm(ScaleType::kPercent, 0, 99, "%"),
     [](const Site& site, const FieldRule&) { return int32_t{site.Output().GetMixMic()}; },
     [](const Site& site, const FieldRule&, int32_t code) {
         site.Output().SetMixMic(static_cast<uint8_t>(code));
     }},
    {"mix.music-on", SwitchForm(),
     [](const Site& site, const FieldRule&) { return site.Output().GetMusicOnL(); },
     [](const Site& site, const FieldRule&, int32_t code) { site.Output().SetMusicOn(code); }},
    {"mix.mic-on", SwitchForm(),
     [](const Site& site, const FieldRule&) { return site.Output().GetMicOnL(); },
     [](const Site& site, const FieldRule&, int32_t code) { site.Output().SetMicOn(code); }},
};

const std::vector<FieldRule>& FieldsOf(const ParameterPath& path) {
    static const std::vector<FieldRule> kNone;
    switch (path.element) {
        case PathElement::Band:
            return path.channel == PathChannel::Effect ? kEffectBandFields : kBandFields;
        case PathElement::HighPass:
        case PathElement::LowPass:
            return path.channel == PathChannel::Output ? kOutputCrossoverFields : kCrossoverFields;
        default:
            break;
    }
    switch (path.channel) {
        case PathChannel::Effect:
            return kEffectFields;
        case PathChannel::Output:
            return kOutputFields;
        default:
            return path.index == kMicrophone ? kMicrophoneFields : kNone;
    }
}

const FieldRule* FindField(const ParameterPath& path) {
    for (const FieldRule& rule : FieldsOf(path)) {
        if (rule.name == path.field) {
            return &rule;
        }
    }
    return nullptr;
}

CEQ& ChainOf(CAudio_Data& program, const ParameterPath& path) {
    switch (path.channel) {
        case PathChannel::Input:
            return program.GetInput(path.index).GetChain();
        case PathChannel::Output:
            return program.GetOutput(path.index).GetChain();
        default:
            return program.GetEffect().GetChain();
    }
}

Site SiteOf(CAudio_Data& program, const ParameterPath& path) {
    Site site{program, path};
    switch (path.element) {
        case PathElement::Band:
            site.element = &ChainOf(program, path).GetElement(path.band);
            break;
        case PathElement::HighPass:
            site.element = &ChainOf(program, path).GetHighPass();
            break;
        case PathElement::LowPass:
            site.element = &ChainOf(program, path).GetLowPass();
            break;
        default:
            break;
    }
    return site;
}

std::string FieldNames(const ParameterPath& path) {
    std::string names;
    for (const FieldRule& rule : FieldsOf(path)) {
        names += names.empty() ? "" : ", ";
        names += rule.name;
    }
    return names;
}

void ReadChannel(CAudio_Data& program, ParameterPath path, std::vector<ParameterValue>& values) {
    const auto readFields = [&](const ParameterPath& at) {
        for (const FieldRule& rule : FieldsOf(at)) {
            ParameterPath named = at;
            named.field = rule.name;
            const Site site = SiteOf(program, named);
            if (rule.present == nullptr || rule.present(site)) {
                values.emplace_back(FormatParameterPath(named),
                                    FormatParameterValue(rule.form, rule.read(site, rule)));
            }
        }
    };
    readFields(path);
    for (int band = 0; band < PathBandCount(path.channel); ++band) {
        path.element = PathElement::Band;
        path.band = band;
        readFields(path);
    }
    path.band = 0;
    for (const PathElement crossover : {PathElement::HighPass, PathElement::LowPass}) {
        path.element = crossover;
        readFields(path);
    }
}

// Where a path stands in a listing: channel, then its own fields, bands, high-pass, low-pass,
// then the field's place among its element's fields.
std::array<int, 3> ListingPlace(const ParameterPath& path) {
    const int channel = path.channel == PathChannel::Input    ? path.index
                        : path.channel == PathChannel::Effect ? kInputCount
                                                              : kInputCount + 1 + path.index;
    int element = 0;
    switch (path.element) {
        case PathElement::Band:
            element = 1 + path.band;
            break;
        case PathElement::HighPass:
            element = 1 + PathBandCount(path.channel);
            break;
        case PathElement::LowPass:
            element = 2 + PathBandCount(path.channel);
            break;
        default:
            break;
    }
    const std::vector<FieldRule>& fields = FieldsOf(path);
    int field = 0;
    while (field < static_cast<int>(fields.size()) && fields[field].name != path.field) {
        ++field;
    }
    return {channel, element, field};
}

// The edits of one command are a set of values, not a sequence: they are
// made in listing order, so a band's type comes before its frequency and its
// gain before its bypass however the command line orders them. Edits of one
// path keep their order, so the last one written wins.
std::vector<ParameterEdit> InReplayOrder(std::span<const ParameterEdit> edits) {
    std::vector<ParameterEdit> ordered(edits.begin(), edits.end());
    std::ranges::stable_sort(ordered, {},
                             [](const ParameterEdit& edit) { return ListingPlace(edit.path); });
    return ordered;
}

// The channels whose crossover an edit moved, each once.
std::vector<ParameterPath> CrossoversMoved(std::span<const ParameterEdit> edits) {
    std::vector<ParameterPath> channels;
    for (const ParameterEdit& edit : edits) {
        if (edit.path.element != PathElement::HighPass &&
            edit.path.element != PathElement::LowPass) {
            continue;
        }
        const ParameterPath channel = ChannelPath(edit.path.channel, edit.path.index);
        if (std::find(channels.begin(), channels.end(), channel) == channels.end()) {
            channels.push_back(channel);
        }
    }
    return channels;
}
}  // namespace

std::vector<ParameterValue> ReadProgramParameters(CAudio_Data& program) {
    std::vector<ParameterValue> values;
    for (int input = 0; input < kInputCount; ++input) {
        ReadChannel(program, ChannelPath(PathChannel::Input, input), values);
    }
    ReadChannel(program, ChannelPath(PathChannel::Effect, 0), values);
    for (int output = 0; output < kOutputCount; ++output) {
        ReadChannel(program, ChannelPath(PathChannel::Output, output), values);
    }
    return values;
}

std::variant<ParameterEdit, std::string> ParseParameterEdit(std::string_view assignment) {
    const size_t equals = assignment.find('=');
    if (equals == std::string_view::npos) {
        return "'" + std::string(assignment) + "' is not PATH=VALUE";
    }
    auto parsedPath = ParseParameterPath(assignment.substr(0, equals));
    if (const std::string* error = std::get_if<std::string>(&parsedPath)) {
        return *error;
    }
    ParameterEdit edit{std::get<ParameterPath>(std::move(parsedPath)), 0, std::string(assignment)};
    const FieldRule* rule = FindField(edit.path);
    if (rule == nullptr) {
        ParameterPath owner = edit.path;
        owner.field.clear();
        const std::string names = FieldNames(owner);
        return FormatParameterPath(edit.path) + " is no parameter; " + FormatParameterPath(owner) +
               (names.empty() ? " has no fields of its own" : " has " + names);
    }
    auto code = ParseParameterValue(rule->form, assignment.substr(equals + 1));
    if (const std::string* error = std::get_if<std::string>(&code)) {
        return FormatParameterPath(edit.path) + ": " + *error;
    }
    edit.code = std::get<int32_t>(code);
    return edit;
}

std::optional<std::string> CheckParameterEdits(CAudio_Data& program,
                                               std::span<const ParameterEdit> edits) {
    CAudio_Data trial;
    DeserializeProgram(SerializeProgram(program), trial);
    for (const ParameterEdit& edit : InReplayOrder(edits)) {
        const FieldRule* rule = FindField(edit.path);
        if (rule == nullptr) {
            return edit.written + ": no such parameter";
        }
        const Site site = SiteOf(trial, edit.path);
        if (rule->present != nullptr && !rule->present(site)) {
            const auto type = static_cast<size_t>(site.element->GetType());
            return edit.written + ": the band is " +
                   std::string(type < kBandTypes.size() ? kBandTypes[type] : "of another kind") +
                   " and has no " + std::string(rule->name);
        }
        if (rule->refuse != nullptr) {
            if (const std::optional<std::string> reason = rule->refuse(site, edit.code)) {
                return edit.written + ": " + *reason;
            }
        }
        rule->write(site, *rule, edit.code);
        if (rule->read(site, *rule) != edit.code) {
            return edit.written + ": the program does not take this value";
        }
    }
    for (const ParameterPath& channel : CrossoversMoved(edits)) {
        CEQ& chain = ChainOf(trial, channel);
        if (chain.GetHighPass().GetFrequency() > chain.GetLowPass().GetFrequency()) {
            return FormatParameterPath(channel) + ": the high-pass (" +
                   std::to_string(chain.GetHighPass().GetFrequency()) +
                   " Hz) would be above the low-pass (" +
                   std::to_string(chain.GetLowPass().GetFrequency()) + " Hz)";
        }
    }
    return std::nullopt;
}

void ApplyParameterEdits(CAudio_Data& program, std::span<const ParameterEdit> edits) {
    for (const ParameterEdit& edit : InReplayOrder(edits)) {
        if (const FieldRule* rule = FindField(edit.path)) {
            rule->write(SiteOf(program, edit.path), *rule, edit.code);
        }
    }
}
