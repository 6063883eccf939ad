// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/SetupSheet.h"

#include <array>

#include "app/ShellTexts.h"
#include "app/pages/EffectParameterTable.h"
#include "app/pages/OutputLevelRules.h"
#include "app/pages/OutputPageTexts.h"
#include "curves/BandwidthTable.h"
#include "curves/ResponseKinds.h"
#include "curves/ScaleConversion.h"
#include "model/Audio_Data.h"
#include "model/GbkText.h"

namespace {
constexpr std::array<BilingualText, 4> kFixedChannels{{
    {"Music left", "音乐左"},
    {"Music right", "音乐右"},
    {"Microphone", "话筒"},
    {"Effect", "效果"},
}};
constexpr BilingualText kOutput{"Output %1", "输出 %1"};
constexpr std::array<BilingualText, 5> kElementKinds{{
    {"PEQ", "PEQ"},
    {"Low Shelf", "低架"},
    {"High Shelf", "高架"},
    {"High Pass", "高通"},
    {"Low Pass", "低通"},
}};
constexpr BilingualText kBand{"Band %1", "第%1段"};
constexpr BilingualText kBypassed{"bypassed", "旁路"};
constexpr BilingualText kElementHeading{"Element      Type        Frequency    Q / slope   Gain",
                                        "元件         类型        频率         Q / 斜率    增益"};
constexpr BilingualText kOn{"on", "开"};
constexpr BilingualText kOff{"off", "关"};

QString Text(const std::optional<std::string>& text) {
    return QString::fromStdString(text.value_or(std::string()));
}

QString Format(int32_t scaleType, int32_t code, double step = 0.0, double offset = 0.0) {
    return Text(FormatCode({scaleType, 0, 1 << 20, step, offset}, code));
}

QString ElementLine(const CFilter& element, int index, int bandCount, Language language) {
    const int type = element.GetType();
    QString name;
    if (index < bandCount) {
        name = Tr(kBand, language).arg(index + 1);
    } else {
        name = Tr(kElementKinds.at(static_cast<size_t>(type)), language);
    }
    const QString kind = Tr(kElementKinds.at(static_cast<size_t>(type)), language);
    const QString frequency = QStringLiteral("%1 Hz").arg(element.GetFrequency());
    QString shape;
    QString gain;
    if (type == ElementType::kHighPass || type == ElementType::kLowPass) {
        const auto& families = OutputPageText::kFamilies;
        shape = QString::fromUtf8(OutputPageText::kCrossoverSlopes.at(
                    static_cast<size_t>(element.GetSlope() & 3))) +
                QLatin1Char(' ') +
                Tr(families.at(static_cast<size_t>(element.GetFamily() % 3)), language);
    } else {
        shape =
            QStringLiteral("Q %1").arg(BandwidthIndexToQ(element.GetBandwidthIndex()), 0, 'f', 3);
        gain = element.GetBypassState() != 0
                   ? Tr(kBypassed, language)
                   : QStringLiteral("%1 dB").arg(element.GetGain(), 0, 'f', 1);
    }
    return QStringLiteral("%1 %2 %3 %4 %5")
        .arg(name, -12)
        .arg(kind, -11)
        .arg(frequency, -12)
        .arg(shape, -11)
        .arg(gain);
}

QStringList ElementLines(const CEQ& chain, Language language) {
    QStringList lines{Tr(kElementHeading, language)};
    for (int i = 0; i < chain.GetCount(); ++i) {
        lines << ElementLine(chain.GetElement(i), i, chain.GetBandCount(), language);
    }
    return lines;
}

QString Pair(const char* english, const char* chinese, const QString& value, Language language) {
    return Tr(BilingualText{english, chinese}, language) + QStringLiteral(": ") + value;
}

QString Switch(int32_t on, Language language) {
    return Tr(on != 0 ? kOn : kOff, language);
}

QStringList OutputValues(const CAudio_OutData& output, Language language) {
    return {
        Pair("Gain", "增益",
             Format(ScaleType::kLinearWhole, output.GetGain(), kGainStep, kGainOffset) +
                 QStringLiteral(" dB"),
             language),
        Pair("Delay", "延时",
             Format(ScaleType::kDelayMilliseconds, output.GetDelay()) + QStringLiteral(" ms"),
             language),
        Pair("Limiter threshold", "限幅器门限",
             Format(ScaleType::kLinearDecibels, output.GetLimiterThreshold(), kThresholdStep,
                    kThresholdOffset) +
                 QStringLiteral(" dB"),
             language),
        Pair("Limiter attack", "限幅器启动时间",
             QString::fromStdString(LimiterAttackText(output.GetLimiterAttack())), language),
        Pair("Limiter release", "限幅器释放时间",
             QString::fromStdString(
                 LimiterReleaseText(output.GetLimiterAttack(), output.GetLimiterRelease())),
             language),
        Pair("Music mix L / R", "音乐混音 左/右",
             QStringLiteral("%1 % / %2 %").arg(output.GetMixMusicL()).arg(output.GetMixMusicR()),
             language),
        Pair("Mic mix L / R", "话筒混音 左/右",
             QStringLiteral("%1 % / %2 %").arg(output.GetMixMicL()).arg(output.GetMixMicR()),
             language),
        Pair("Music switch L / R", "音乐开关 左/右",
             Switch(output.GetMusicOnL(), language) + QStringLiteral(" / ") +
                 Switch(output.GetMusicOnR(), language),
             language),
        Pair("Mic switch L / R", "话筒开关 左/右",
             Switch(output.GetMicOnL(), language) + QStringLiteral(" / ") +
                 Switch(output.GetMicOnR(), language),
             language),
    };
}

QStringList InputValues(CAudio_InData& input, Language language) {
    return {
        Pair("Name", "名称", QString::fromStdString(DecodeGbk(input.GetName())), language),
        Pair("Level", "电平", QString::number(input.GetLevel()), language),
        Pair("Aux level", "辅助电平", QString::number(input.GetAuxLevel()), language),
        Pair("Bass attenuation", "低音衰减",
             QString::number(input.GetBassAttenuation()) + QStringLiteral(" dB"), language),
        Pair("Feedback mode", "反馈抑制模式", QString::number(input.GetFeedbackMode()), language),
    };
}

QStringList EffectValues(const CAudio_EffectData& effect, Language language) {
    QStringList values{
        Pair("Effect mode", "效果模式", QString::number(effect.GetEffectMode()), language)};
    for (const EffectParameterControl& control : kEffectParameterControlTable) {
        values << Tr(kEffectParameterColumnHeadings.at(static_cast<size_t>(control.column)),
                     language) +
                      QLatin1Char(' ') + Tr(control.label, language) + QStringLiteral(": ") +
                      Format(control.scaleType, effect.GetEffectParam(control.param));
    }
    return values;
}
}  // namespace

std::vector<SheetChannel> DescribeChannels(CAudio_Data& program, Language language) {
    std::vector<SheetChannel> channels;
    for (int i = 0; i < CAudio_InRoute::kCount; ++i) {
        CAudio_InData& input = program.GetInput(i);
        channels.push_back({i, Tr(kFixedChannels.at(static_cast<size_t>(i)), language),
                            InputValues(input, language),
                            ElementLines(input.GetChain(), language)});
    }
    const CAudio_EffectData& effect = program.GetEffect();
    channels.push_back({3, Tr(kFixedChannels[3], language), EffectValues(effect, language),
                        ElementLines(effect.GetChain(), language)});
    for (int i = 0; i < CAudio_OutRoute::kCount; ++i) {
        const CAudio_OutData& output = program.GetOutput(i);
        QString heading = Tr(kOutput, language).arg(i + 1);
        const QString name = QString::fromStdString(DecodeGbk(output.GetName())).trimmed();
        if (!name.isEmpty()) {
            heading += QStringLiteral(" — ") + name;
        }
        channels.push_back({4 + i, heading, OutputValues(output, language),
                            ElementLines(output.GetChain(), language)});
    }
    return channels;
}
