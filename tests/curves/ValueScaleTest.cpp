// SPDX-License-Identifier: GPL-3.0-or-later
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "curves/ValueScale.h"

namespace {

// The field configurations the pages use.
ScaleParameters DelayMilliseconds() {
    return {ScaleType::kDelayMilliseconds, 0, 566, 0, 0};
}
ScaleParameters DelayMetres() {
    return {ScaleType::kDelayMetres, 0, 566, 0, 0};
}
ScaleParameters DelayFeet() {
    return {ScaleType::kDelayFeet, 0, 566, 0, 0};
}
ScaleParameters Attack() {
    return {ScaleType::kLimiterAttack, 0, 106, 0, 0};
}
ScaleParameters BandGain() {
    return {ScaleType::kLinear, 0, 400, 0.1, 20};
}
ScaleParameters Threshold() {
    return {ScaleType::kLinearDecibels, 0, 80, 0.5, 30};
}
ScaleParameters BassAttenuation() {
    return {ScaleType::kLinearDecibels, 0, 20, 1, 20};
}
ScaleParameters OutputGain() {
    return {ScaleType::kLinearWhole, 0, 50, 1, 40};
}
ScaleParameters Volume() {
    return {ScaleType::kLinearWhole, 0, 50, 1, 0};
}
ScaleParameters Q() {
    return {ScaleType::kQ, 0, 299, 0, 0};
}
ScaleParameters NoiseGate() {
    return {ScaleType::kDecibelOffset, 0, 100, 0, 0};
}
ScaleParameters MixLevel() {
    return {ScaleType::kPercent, 0, 99, 0, 0};
}
ScaleParameters Ratio() {
    return {ScaleType::kTenths, 0, 10, 0, 0};
}
ScaleParameters ReverbTime() {
    return {ScaleType::kTenthsSeconds, 0, 100, 0, 0};
}
ScaleParameters EchoDelay() {
    return {ScaleType::kMilliseconds, 0, 500, 0, 0};
}
ScaleParameters BandFrequency() {
    return {ScaleType::kFrequency, 20, 20000, 0, 0};
}
ScaleParameters LowShelfFrequency() {
    return {ScaleType::kFrequency, 20, 2000, 0, 0};
}
ScaleParameters HighPass() {
    return {ScaleType::kHighPassFrequency, 20, 20000, 0, 0};
}
ScaleParameters LowPass() {
    return {ScaleType::kLowPassFrequency, 20, 20000, 0, 0};
}

ValueScale Field(const ScaleParameters& scale, int32_t code) {
    ValueScale field;
    field.SetRange(scale.minCode, scale.maxCode);
    field.SetStep(scale.step);
    field.SetOffset(scale.offset);
    field.SetScaleType(scale.scaleType);
    EXPECT_TRUE(field.SetValue(code));
    return field;
}

struct ShownCase {
    const char* name;
    ScaleParameters scale;
    int32_t code;
    std::string text;
};

TEST(ValueScale, ShowsEachScaleAsThePagesPrintIt) {
    const ShownCase cases[] = {
        {"delay ms, last fine step", DelayMilliseconds(), 476, "9.996"},
        {"delay ms, first whole ms", DelayMilliseconds(), 477, "10.996"},
        {"delay ms, top", DelayMilliseconds(), 566, "99.996"},
        {"delay ms, fine", DelayMilliseconds(), 238, "4.998"},
        {"delay m, last fine step", DelayMetres(), 475, "3.392"},
        {"delay m, first whole ms", DelayMetres(), 476, "3.732"},
        {"delay ft, last fine step", DelayFeet(), 475, "11.128"},
        {"delay ft, first whole ms", DelayFeet(), 476, "12.243"},
        {"attack, tenths", Attack(), 6, "0.9ms"},
        {"attack, first whole ms", Attack(), 7, "1ms"},
        {"attack, bottom", Attack(), 0, "0.3ms"},
        {"band gain, 0 dB", BandGain(), 200, "0.0"},
        {"band gain, cut", BandGain(), 165, "-3.5"},
        {"threshold", Threshold(), 0, "-30.0dB"},
        {"bass attenuation, none", BassAttenuation(), 20, "0.0dB"},
        {"output gain, 0 dB", OutputGain(), 40, "0"},
        {"Q, narrowest", Q(), 0, "144.3"},
        {"Q, default band", Q(), 29, "4.800"},
        {"Q, widest", Q(), 299, "0.404"},
        {"noise gate, open", NoiseGate(), 100, "0dB"},
        {"noise gate, closed", NoiseGate(), 0, "-100dB"},
        {"mix level", MixLevel(), 50, "50%"},
        {"ratio", Ratio(), 7, "0.7"},
        {"reverb time", ReverbTime(), 25, "2.5s"},
        {"echo delay", EchoDelay(), 120, "120ms"},
        {"frequency", HighPass(), 20000, "20000"},
    };
    for (const ShownCase& c : cases) {
        EXPECT_EQ(Field(c.scale, c.code).Text(), c.text) << c.name;
    }
}

struct CommitCase {
    const char* name;
    ScaleParameters scale;
    int32_t code;
    std::string typed;
    int32_t expectedCode;
    std::string expectedText;
    bool rangeMessage;
    // Text without a number: the value stays and the user is told so.
    bool numberMessage = false;
};

TEST(ValueScale, CommitsTypedTextAsTheStoredCode) {
    const CommitCase cases[] = {
        {"delay ms, fine", DelayMilliseconds(), 0, "5", 238, "4.998", false},
        {"delay ms, whole ms", DelayMilliseconds(), 0, "10.996", 477, "10.996", false},
        {"delay ms, between the scales", DelayMilliseconds(), 0, "9.999", 476, "9.996", false},
        {"delay ms, above", DelayMilliseconds(), 0, "150", 566, "99.996", true},
        {"delay ms, below", DelayMilliseconds(), 100, "-1", 0, "0.000", true},
        {"delay m, above", DelayMetres(), 0, "340", 566, "34.331", true},
        {"delay m, beyond the codes", DelayMetres(), 0, "300", 566, "34.331", true},
        {"delay m, last fine step", DelayMetres(), 0, "3.392", 475, "3.392", false},
        {"delay ft, whole ms", DelayFeet(), 0, "12.243", 476, "12.243", false},
        {"attack, in the gap", Attack(), 10, "0.95", 10, "4ms", false},
        {"attack, tenths", Attack(), 10, "0.6", 3, "0.6ms", false},
        {"attack, whole ms", Attack(), 0, "50ms", 56, "50ms", false},
        {"attack, below", Attack(), 10, "0.2", 0, "0.3ms", true},
        {"attack, above", Attack(), 10, "101", 106, "100ms", true},
        {"band gain, cut", BandGain(), 200, "-3.5", 165, "-3.5", false},
        {"band gain, above", BandGain(), 200, "25", 400, "20.0", true},
        {"band gain, below", BandGain(), 200, "-25", 0, "-20.0", true},
        {"threshold, between steps", Threshold(), 0, "-28.7", 2, "-29.0dB", false},
        {"Q, one octave", Q(), 29, "1.414", 99, "1.414", false},
        {"Q, above", Q(), 29, "200", 0, "144.3", true},
        {"Q, below", Q(), 29, "0.1", 299, "0.404", true},
        {"noise gate, below", NoiseGate(), 100, "-120", 0, "-100dB", true},
        {"mix level, above", MixLevel(), 10, "150", 99, "99%", true},
        {"ratio, tenths", Ratio(), 0, "0.6", 6, "0.6", false},
        {"reverb time, above", ReverbTime(), 0, "11", 100, "10.0s", true},
        {"frequency, above", HighPass(), 1000, "25000", 20000, "20000", true},
        {"band frequency, above", BandFrequency(), 1000, "25000", 20000, "20000", true},
        {"band frequency, just above", BandFrequency(), 1000, "20001", 20000, "20000", true},
        {"band frequency, below", BandFrequency(), 1000, "5", 20, "20", true},
        {"low shelf, above its range", LowShelfFrequency(), 100, "3000", 2000, "2000", true},
        {"low-pass, above", LowPass(), 1000, "99999", 20000, "20000", true},
        // "OFF" in a frequency field is ignored and the field shows its value again.
        {"frequency, OFF", HighPass(), 1000, "OFF", 1000, "1000", false},
        {"band frequency, OFF", BandFrequency(), 1000, "OFF", 1000, "1000", false},
    };
    for (const CommitCase& c : cases) {
        ValueScale field = Field(c.scale, c.code);
        field.EditText(c.typed);
        const CommitOutcome outcome = field.Commit();
        EXPECT_EQ(field.Code(), c.expectedCode) << c.name;
        EXPECT_EQ(outcome.text, c.expectedText) << c.name;
        EXPECT_EQ(field.Text(), c.expectedText) << c.name;
        EXPECT_EQ(outcome.showRangeMessage, c.rangeMessage) << c.name;
        EXPECT_EQ(outcome.notifyPage, c.expectedCode != c.code) << c.name;
        EXPECT_FALSE(field.IsModified()) << c.name;
    }
}

// A typo never changes the sound: text without a number keeps the value and
// says so; a unit after the number, a comma decimal and a "k" on frequencies
// are read as the user meant them.
TEST(ValueScale, ReadsWhatTheUserMeantAndNeverATypoAsZero) {
    const CommitCase cases[] = {
        {"band gain, letters", BandGain(), 100, "abc", 100, "-10.0", false, true},
        {"band gain, empty", BandGain(), 100, "", 100, "-10.0", false, true},
        {"band gain, a sign alone", BandGain(), 100, "-", 100, "-10.0", false, true},
        {"low-pass, letters", LowPass(), 1000, "x", 1000, "1000", false, true},
        {"delay ms, empty", DelayMilliseconds(), 238, "", 238, "4.998", false, true},
        {"mix level, letters", MixLevel(), 10, "abc", 10, "10%", false, true},
        {"delay m, letters", DelayMetres(), 100, "m", 100, "0.714", false, true},
        {"delay ms, with unit", DelayMilliseconds(), 0, "5ms", 238, "4.998", false},
        {"delay m, with unit", DelayMetres(), 0, "1.5m", 210, "1.499", false},
        {"mix level, with unit", MixLevel(), 10, "50%", 50, "50%", false},
        {"band gain, with unit", BandGain(), 200, "-3dB", 170, "-3.0", false},
        {"threshold, with unit", Threshold(), 0, "-6dB", 48, "-6.0dB", false},
        {"noise gate, with unit", NoiseGate(), 100, "-6dB", 94, "-6dB", false},
        {"reverb time, with unit", ReverbTime(), 0, "2.5s", 25, "2.5s", false},
        {"echo delay, with unit", EchoDelay(), 0, "120ms", 120, "120ms", false},
        {"band frequency, k", BandFrequency(), 100, "1k", 1000, "1000", false},
        {"band frequency, decimal k", BandFrequency(), 100, "2.5k", 2500, "2500", false},
        {"band frequency, k after a space", BandFrequency(), 100, "1.5 kHz", 1500, "1500", false},
        {"band frequency, Hz", BandFrequency(), 100, "440Hz", 440, "440", false},
        {"band frequency, k above", BandFrequency(), 100, "25k", 20000, "20000", true},
        {"high-pass, comma k", HighPass(), 20, "2,5k", 2500, "2500", false},
        {"band gain, comma", BandGain(), 200, "-3,5", 165, "-3.5", false},
        {"Q, comma", Q(), 29, "1,414", 99, "1.414", false},
        {"attack, comma", Attack(), 10, "0,6", 3, "0.6ms", false},
        {"band gain, minus zero", BandGain(), 165, "-0", 200, "0.0", false},
        {"noise gate, minus zero", NoiseGate(), 50, "-0", 100, "0dB", false},
        {"mix level, minus zero", MixLevel(), 10, "-0", 0, "0%", false},
        {"delay ms, minus zero", DelayMilliseconds(), 238, "-0", 0, "0.000", false},
        {"band frequency, minus zero", BandFrequency(), 100, "-0", 20, "20", true},
    };
    for (const CommitCase& c : cases) {
        ValueScale field = Field(c.scale, c.code);
        field.EditText(c.typed);
        const CommitOutcome outcome = field.Commit();
        EXPECT_EQ(field.Code(), c.expectedCode) << c.name;
        EXPECT_EQ(field.Text(), c.expectedText) << c.name;
        EXPECT_EQ(outcome.showRangeMessage, c.rangeMessage) << c.name;
        EXPECT_EQ(outcome.showNumberMessage, c.numberMessage) << c.name;
        EXPECT_EQ(outcome.notifyPage, c.expectedCode != c.code) << c.name;
    }
}

TEST(ValueScale, TypingWhatAFieldShowsGivesBackItsCode) {
    const std::vector<ScaleParameters> scales = {
        DelayMilliseconds(), DelayMetres(),     DelayFeet(),  Attack(),     BandGain(),
        Threshold(),         BassAttenuation(), OutputGain(), Volume(),     Q(),
        NoiseGate(),         MixLevel(),        Ratio(),      ReverbTime(), EchoDelay(),
    };
    for (const ScaleParameters& scale : scales) {
        for (int32_t code = scale.minCode; code <= scale.maxCode; ++code) {
            ValueScale field = Field(scale, code);
            const std::string shown = field.Text();
            field.EditText(shown);
            const CommitOutcome outcome = field.Commit();
            ASSERT_EQ(field.Code(), code) << "scale type " << scale.scaleType << " text " << shown;
            ASSERT_FALSE(outcome.showRangeMessage) << "scale type " << scale.scaleType;
        }
    }
}

TEST(ValueScale, TextThatWasNotTypedIsNeitherConvertedNorSent) {
    // Focus passing through a field, or text the page wrote itself.
    for (const ScaleParameters& scale : {DelayMilliseconds(), MixLevel(), DelayMetres()}) {
        ValueScale field = Field(scale, 50);
        const CommitOutcome passing = field.Commit();
        EXPECT_FALSE(passing.notifyPage);
        EXPECT_FALSE(passing.showRangeMessage);
        field.SetText("5");
        const CommitOutcome written = field.Commit();
        EXPECT_EQ(field.Code(), 50);
        EXPECT_FALSE(written.notifyPage);
    }
}

TEST(ValueScale, RestoringThrowsTheTypedTextAway) {
    ValueScale gain = Field(BandGain(), 165);
    gain.EditText("12");
    gain.RestoreText();
    EXPECT_EQ(gain.Text(), "-3.5");
    EXPECT_FALSE(gain.IsModified());
    EXPECT_FALSE(gain.Commit().notifyPage);
    EXPECT_EQ(gain.Code(), 165);
}

TEST(ValueScale, PlainFieldsKeepThePagesText) {
    ValueScale release = Field({ScaleType::kPlain, 0, 5, 0, 0}, 2);
    release.SetText("Fast");
    release.EditText("9");
    const CommitOutcome outcome = release.Commit();
    EXPECT_EQ(release.Code(), 2);
    EXPECT_EQ(outcome.text, "9");
    EXPECT_EQ(release.GetValue().code, 2);
}

TEST(ValueScale, GetValueConvertsSilentlyAndKeepsTheCodeWhenOutOfRange) {
    ValueScale gain = Field(BandGain(), 200);
    gain.EditText("-3.5");
    EXPECT_EQ(gain.GetValue().code, 165);
    EXPECT_FALSE(gain.IsModified());

    gain.EditText("-30");
    const ReadOutcome outside = gain.GetValue();
    EXPECT_EQ(outside.code, 165);
    EXPECT_FALSE(outside.showRangeMessage);

    gain.EditText("abc");
    EXPECT_EQ(gain.GetValue().code, 165) << "no number is no zero";

    ValueScale q = Field(Q(), 29);
    q.EditText("500");
    const ReadOutcome qOutside = q.GetValue();
    EXPECT_EQ(qOutside.code, 29);
    EXPECT_TRUE(qOutside.showRangeMessage);

    // Crossover fields take their code on commit only.
    ValueScale highPass = Field(HighPass(), 100);
    highPass.EditText("1000");
    EXPECT_EQ(highPass.GetValue().code, 100);
    EXPECT_FALSE(highPass.IsModified());

    ValueScale metres = Field(DelayMetres(), 0);
    metres.EditText("300");
    EXPECT_EQ(metres.GetValue().code, 0);
}

TEST(ValueScale, SetValueOutsideTheRangeKeepsThePreviousCode) {
    ValueScale gate = Field(NoiseGate(), 50);
    EXPECT_FALSE(gate.SetValue(101));
    EXPECT_FALSE(gate.SetValue(-1));
    EXPECT_EQ(gate.Code(), 50);
    EXPECT_EQ(gate.Text(), "-50dB");
}

TEST(ValueScale, HeldCodeOutsideTheRangeIsShownUntilTheUserBringsItBack) {
    struct Case {
        const char* name;
        ScaleParameters scale;
        int32_t held;
        std::string text;
        SpinDirection direction;
        int32_t afterSpin;  // the nearest end, whichever way the arrow points
    };
    const Case cases[] = {
        {"gain above, arrow up", OutputGain(), 60, "20", SpinDirection::Up, 50},
        {"gain above, arrow down", OutputGain(), 60, "20", SpinDirection::Down, 50},
        {"gain below, arrow up", OutputGain(), -5, "-45", SpinDirection::Up, 0},
        {"mix above", MixLevel(), 150, "150%", SpinDirection::Down, 99},
        {"bass attenuation above", BassAttenuation(), 30, "10.0dB", SpinDirection::Up, 20},
        {"delay below", DelayMilliseconds(), -1, "-0.021", SpinDirection::Up, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ValueScale field = Field(c.scale, c.scale.minCode);
        field.ShowHeldCode(c.held);
        EXPECT_EQ(field.Code(), c.held);
        EXPECT_EQ(field.Text(), c.text);
        EXPECT_TRUE(field.IsOutOfRange());
        // Leaving or reading the untouched field keeps the held code.
        EXPECT_FALSE(field.Commit().notifyPage);
        EXPECT_EQ(field.GetValue().code, c.held);

        EXPECT_TRUE(field.Spin(1, c.direction, false));
        EXPECT_EQ(field.Code(), c.afterSpin);
        EXPECT_FALSE(field.IsOutOfRange());
    }

    // Typed text goes through the range rules, even text naming the held value.
    ValueScale gain = Field(OutputGain(), 40);
    gain.ShowHeldCode(60);
    gain.EditText("20");
    const CommitOutcome typed = gain.Commit();
    EXPECT_TRUE(typed.showRangeMessage);
    EXPECT_TRUE(typed.notifyPage);
    EXPECT_EQ(gain.Code(), 50);
    EXPECT_FALSE(gain.IsOutOfRange());

    // A held code inside the range is an ordinary value; a new field's first
    // code is not a held one even where the range leaves it out.
    gain.ShowHeldCode(45);
    EXPECT_FALSE(gain.IsOutOfRange());
    ValueScale fresh;
    fresh.SetRange(20, 20000);
    EXPECT_FALSE(fresh.IsOutOfRange());
}

TEST(ValueScale, SpinStepsWithinTheRange) {
    ValueScale gain = Field(BandGain(), 200);
    EXPECT_TRUE(gain.Spin(5, SpinDirection::Up, false));
    EXPECT_EQ(gain.Code(), 205);
    EXPECT_EQ(gain.Text(), "0.5");
    EXPECT_TRUE(gain.Spin(300, SpinDirection::Down, false));
    EXPECT_EQ(gain.Code(), 0);
    EXPECT_FALSE(gain.Spin(1, SpinDirection::Down, false));

    // Up on a Q field raises Q, which is a lower bandwidth index.
    ValueScale q = Field(Q(), 29);
    EXPECT_TRUE(q.Spin(1, SpinDirection::Up, false));
    EXPECT_EQ(q.Code(), 28);

    ValueScale frequency = Field({ScaleType::kFrequency, 20, 24000, 0, 0}, 19990);
    EXPECT_TRUE(frequency.Spin(100, SpinDirection::Up, true));
    EXPECT_EQ(frequency.Code(), 20000);
    EXPECT_FALSE(frequency.Spin(100, SpinDirection::Up, true));
}

TEST(ValueScale, RangeMessageInBothLanguages) {
    EXPECT_EQ(kOutOfRangeMessage.In(Language::English), "Out of Range");
    EXPECT_EQ(kOutOfRangeMessage.In(Language::Chinese), "超出范围");
}

}  // namespace
