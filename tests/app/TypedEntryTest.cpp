// SPDX-License-Identifier: GPL-3.0-or-later
// Text typed into every kind of numeric field, through the real boxes of the
// output page, the effect page and the setup dialog: what the program holds
// afterwards, whether the range message came, and whether a row went to the
// device. A typo never changes the sound, a value above the range becomes
// the maximum, and a field the focus merely passes through sends nothing.
#include <gtest/gtest.h>

#include <algorithm>

#include <QApplication>
#include <QFocusEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <memory>

#include "FakePageServices.h"
#include "app/dialogs/SetupDialog.h"
#include "app/dialogs/SetupProgramSection.h"
#include "app/dialogs/SetupSliderField.h"
#include "app/pages/EffectCrossoverFields.h"
#include "app/pages/EffectPage.h"
#include "app/pages/EffectParameterSection.h"
#include "app/pages/EqBandTable.h"
#include "app/pages/EqBandTableRow.h"
#include "app/pages/InputEqCrossover.h"
#include "app/pages/InputEqPage.h"
#include "app/pages/OutputCrossoverRow.h"
#include "app/pages/OutputCrossoverSection.h"
#include "app/pages/OutputEqSection.h"
#include "app/pages/OutputLevelLimiter.h"
#include "app/pages/OutputLevelSection.h"
#include "app/pages/OutputMixSection.h"
#include "app/pages/OutputPage.h"
#include "app/widgets/NumEdit.h"
#include "app/widgets/SpinButtons.h"
#include "model/Audio_Data.h"
#include "model/ChannelIndex.h"
#include "protocol/ChangeScanner.h"
#include "protocol/Frame.h"

namespace {

// The pages and dialog whose boxes are typed into, over one program.
struct Rig {
    Rig() : output(services), effect(services), input(services) {
        output.resize(1000, 900);
        output.ShowChannel(&Program(), OutputKind::kMainLeft);
        effect.resize(900, 700);
        effect.ShowChannel(&Program(), 0);
        input.resize(1000, 900);
        input.ShowChannel(&Program(), InputChannel::kMusicLeft);
    }

    CAudio_Data& Program() { return services.Program(); }
    CAudio_OutData& MainLeft() { return Program().GetOutput(OutputKind::kMainLeft); }
    CFilter& Band() { return MainLeft().GetBand(0); }
    EqBandTableRow& BandRow() { return output.Equaliser().Table().Row(0); }
    SetupDialog& Setup() {
        setup = std::make_unique<SetupDialog>(services);
        return *setup;
    }

    // Rows the change flags would send now, emptying them.
    int SendPendingRows() {
        int rows = 0;
        while (NextPendingMessage(Program())->command != Command::kStatusPoll) {
            ++rows;
        }
        return rows;
    }

    FakePageServices services;
    OutputPage output;
    EffectPage effect;
    InputEqPage input;
    std::unique_ptr<SetupDialog> setup;
};

// One kind of field: where its box is, and the program value behind it.
struct FieldKind {
    const char* name;
    int start;  // the code before each entry
    std::function<void(Rig&, int code)> set;
    std::function<int(Rig&)> value;
    // The box, showing the program after `set`.
    std::function<CNumEdit*(Rig&)> box;
};

// The delay box after the unit button was pressed until it shows `unit`.
CNumEdit* DelayBoxIn(Rig& rig, DelayUnit unit) {
    OutputLevelSection& levels = rig.output.Levels();
    while (levels.CurrentDelayUnit() != unit) {
        levels.DelayUnitButton()->click();
    }
    return levels.DelayField()->Box();
}

std::vector<FieldKind> FieldKinds() {
    auto outputBox = [](CNumEdit* (*pick)(Rig&)) {
        return [pick](Rig& rig) {
            rig.output.Refresh();
            return pick(rig);
        };
    };
    auto effectBox = [](int param) {
        return [param](Rig& rig) {
            rig.effect.Refresh();
            return rig.effect.Parameters().Field(param)->Box();
        };
    };
    auto effectValue = [](int param) {
        return [param](Rig& rig) { return int{rig.Program().GetEffect().GetEffectParam(param)}; };
    };
    auto effectSet = [](int param) {
        return [param](Rig& rig, int code) {
            rig.Program().GetEffect().SetEffectParam(param, static_cast<uint8_t>(code));
        };
    };
    return {
        {"band frequency", 1000, [](Rig& rig, int code) { rig.Band().SetFrequency(code); },
         [](Rig& rig) { return rig.Band().GetFrequency(); },
         outputBox([](Rig& rig) { return &rig.BandRow().Frequency(); })},
        {"band Q", 29, [](Rig& rig, int code) { rig.Band().SetBandwidthIndex(code); },
         [](Rig& rig) { return rig.Band().GetBandwidthIndex(); },
         outputBox([](Rig& rig) { return &rig.BandRow().Bandwidth(); })},
        {"band gain", 165, [](Rig& rig, int code) { rig.Band().SetGainIndex(code); },
         [](Rig& rig) { return rig.Band().GetGainIndex(); },
         outputBox([](Rig& rig) { return &rig.BandRow().Gain(); })},
        {"high-pass", 100,
         [](Rig& rig, int code) { rig.MainLeft().GetChain().GetHighPass().SetFrequency(code); },
         [](Rig& rig) { return rig.MainLeft().GetChain().GetHighPass().GetFrequency(); },
         outputBox([](Rig& rig) {
             return &rig.output.Crossover().Row(CrossoverSide::HighPass).Frequency();
         })},
        {"low-pass", 10000,
         [](Rig& rig, int code) { rig.MainLeft().GetChain().GetLowPass().SetFrequency(code); },
         [](Rig& rig) { return rig.MainLeft().GetChain().GetLowPass().GetFrequency(); },
         outputBox([](Rig& rig) {
             return &rig.output.Crossover().Row(CrossoverSide::LowPass).Frequency();
         })},
        {"output gain", 34, [](Rig& rig, int code) { rig.MainLeft().SetGain(code); },
         [](Rig& rig) { return rig.MainLeft().GetGain(); },
         outputBox([](Rig& rig) { return rig.output.Levels().GainField()->Box(); })},
        {"delay, ms", 238, [](Rig& rig, int code) { rig.MainLeft().SetDelay(code); },
         [](Rig& rig) { return rig.MainLeft().GetDelay(); },
         outputBox([](Rig& rig) { return rig.output.Levels().DelayField()->Box(); })},
        {"limiter threshold", 48,
         [](Rig& rig, int code) { rig.MainLeft().SetLimiterThreshold(code); },
         [](Rig& rig) { return rig.MainLeft().GetLimiterThreshold(); },
         outputBox([](Rig& rig) { return rig.output.Levels().Limiter()->ThresholdBox(); })},
        {"limiter attack", 10, [](Rig& rig, int code) { rig.MainLeft().SetLimiterAttack(code); },
         [](Rig& rig) { return rig.MainLeft().GetLimiterAttack(); },
         outputBox([](Rig& rig) { return rig.output.Levels().Limiter()->AttackBox(); })},
        {"delay, m", 238, [](Rig& rig, int code) { rig.MainLeft().SetDelay(code); },
         [](Rig& rig) { return rig.MainLeft().GetDelay(); },
         outputBox([](Rig& rig) { return DelayBoxIn(rig, DelayUnit::Metres); })},
        {"delay, ft", 238, [](Rig& rig, int code) { rig.MainLeft().SetDelay(code); },
         [](Rig& rig) { return rig.MainLeft().GetDelay(); },
         outputBox([](Rig& rig) { return DelayBoxIn(rig, DelayUnit::Feet); })},
        {"mix level", 50,
         [](Rig& rig, int code) { rig.MainLeft().SetMixMusic(static_cast<uint8_t>(code)); },
         [](Rig& rig) { return int{rig.MainLeft().GetMixMusic()}; },
         outputBox([](Rig& rig) { return rig.output.Mix().MusicLevel()->Box(); })},
        {"reverb time", 25, effectSet(EffectParam::kReverbTime),
         effectValue(EffectParam::kReverbTime), effectBox(EffectParam::kReverbTime)},
        {"echo ratio", 7, effectSet(EffectParam::kEchoHighRatio),
         effectValue(EffectParam::kEchoHighRatio), effectBox(EffectParam::kEchoHighRatio)},
        {"echo delay", 120, effectSet(EffectParam::kLeftEchoDelay),
         effectValue(EffectParam::kLeftEchoDelay), effectBox(EffectParam::kLeftEchoDelay)},
        {"noise gate", 50, effectSet(EffectParam::kNoiseGate), effectValue(EffectParam::kNoiseGate),
         [](Rig& rig) { return rig.Setup().ProgramValues()->NoiseGateField()->Box(); }},
        {"bass attenuation", 10,
         [](Rig& rig, int code) {
             rig.Program()
                 .GetInput(InputChannel::kMicrophone)
                 .SetBassAttenuation(static_cast<uint8_t>(code));
         },
         [](Rig& rig) {
             return int{rig.Program().GetInput(InputChannel::kMicrophone).GetBassAttenuation()};
         },
         [](Rig& rig) { return rig.Setup().ProgramValues()->BassAttenuationField()->Box(); }},
        {"input high-pass", 100,
         [](Rig& rig, int code) {
             rig.Program().GetInput(InputChannel::kMusicLeft).GetHighPass().SetFrequency(code);
         },
         [](Rig& rig) {
             return rig.Program().GetInput(InputChannel::kMusicLeft).GetHighPass().GetFrequency();
         },
         [](Rig& rig) {
             rig.input.Refresh();
             return &rig.input.Crossover().HighPass();
         }},
        {"effect low-pass", 8000,
         [](Rig& rig, int code) { rig.Program().GetEffect().GetLowPass().SetFrequency(code); },
         [](Rig& rig) { return rig.Program().GetEffect().GetLowPass().GetFrequency(); },
         [](Rig& rig) {
             rig.effect.Refresh();
             return &rig.effect.Crossover().LowPass();
         }},
    };
}

enum class Finish { Enter, FocusOut, Escape };

// What the user is told after the entry.
enum class Said {
    Nothing,
    OutOfRange,  // the value was clamped to the range
    NoNumber,    // the text holds no number: the value stays
};

struct Entry {
    const char* typed;
    Finish finish;
    int code;  // the program's code afterwards
    Said said = Said::Nothing;
};

struct KindEntries {
    const char* kind;
    std::vector<Entry> entries;
};

// Above, below, no number, empty, a unit, a comma, minus zero (and a "k" on
// frequencies), each finished by Enter or by leaving the field, and one
// entry thrown away with Escape.
const std::vector<KindEntries>& EntryTable() {
    using F = Finish;
    constexpr Said R = Said::OutOfRange;
    constexpr Said N = Said::NoNumber;
    static const std::vector<KindEntries> table = {
        {"band frequency",
         {{"25000", F::Enter, 20000, R},
          {"20001", F::FocusOut, 20000, R},
          {"5", F::Enter, 20, R},
          {"abc", F::Enter, 1000, N},
          {"", F::FocusOut, 1000, N},
          {"2.5k", F::Enter, 2500},
          {"1,5k", F::FocusOut, 1500},
          {"440Hz", F::Enter, 440},
          {"-0", F::Enter, 20, R},
          {"500", F::Escape, 1000}}},
        {"band Q",
         {{"200", F::Enter, 0, R},
          {"0.1", F::FocusOut, 299, R},
          {"Q", F::Enter, 29, N},
          {"", F::Enter, 29, N},
          {"1,414", F::FocusOut, 99},
          {"1.414", F::Enter, 99},
          {"-0", F::Enter, 299, R},
          {"2", F::Escape, 29}}},
        {"band gain",
         {{"25", F::Enter, 300, R},
          {"-25", F::FocusOut, 0, R},
          {"abc", F::Enter, 165, N},
          {"", F::FocusOut, 165, N},
          {"-3dB", F::Enter, 170},
          {"-6,5", F::Enter, 135},
          {"-0", F::FocusOut, 200},
          {"5", F::Escape, 165}}},
        {"high-pass",
         {{"25000", F::Enter, 20000, R},
          {"5", F::FocusOut, 20, R},
          {"x", F::Enter, 100, N},
          {"1k", F::Enter, 1000},
          {"-0", F::Enter, 20, R},
          {"300", F::Escape, 100}}},
        {"low-pass",
         {{"99999", F::Enter, 20000, R},
          {"abc", F::FocusOut, 10000, N},
          {"2,5k", F::Enter, 2500},
          {"", F::Enter, 10000, N},
          {"300", F::Escape, 10000}}},
        {"output gain",
         {{"15", F::Enter, 50, R},
          {"-50", F::FocusOut, 0, R},
          {"dB", F::Enter, 34, N},
          {"-3dB", F::Enter, 37},
          {"-0", F::FocusOut, 40},
          {"2", F::Escape, 34}}},
        {"delay, ms",
         {{"150", F::Enter, 566, R},
          {"-1", F::FocusOut, 0, R},
          {"", F::Enter, 238, N},
          {"ms", F::Enter, 238, N},
          {"2ms", F::FocusOut, 95},
          {"1,5", F::Enter, 71},
          {"-0", F::Enter, 0},
          {"50", F::Escape, 238}}},
        {"limiter threshold",
         {{"20", F::Enter, 80, R},
          {"-40", F::FocusOut, 0, R},
          {"abc", F::Enter, 48, N},
          {"-12dB", F::Enter, 36},
          {"-6,5", F::FocusOut, 47},
          {"-0", F::Enter, 60},
          {"3", F::Escape, 48}}},
        {"limiter attack",
         {{"200", F::Enter, 106, R},
          {"0.1", F::FocusOut, 0, R},
          {"fast", F::Enter, 10, N},
          {"0,6ms", F::Enter, 3},
          {"50ms", F::FocusOut, 56},
          {"20", F::Escape, 10}}},
        {"delay, m",
         {{"400", F::Enter, 566, R},
          {"-1", F::FocusOut, 0, R},
          {"m", F::Enter, 238, N},
          {"1.5m", F::Enter, 210},
          {"1,5", F::FocusOut, 210},
          {"2", F::Escape, 238}}},
        {"delay, ft",
         {{"2000", F::Enter, 566, R}, {"ft", F::FocusOut, 238, N}, {"5ft", F::Enter, 213}}},
        {"mix level",
         {{"150", F::Enter, 99, R},
          {"-5", F::FocusOut, 0, R},
          {"%", F::Enter, 50, N},
          {"70%", F::Enter, 70},
          {"-0", F::FocusOut, 0},
          {"20", F::Escape, 50}}},
        {"reverb time",
         {{"9", F::Enter, 60, R},
          {"-1", F::FocusOut, 0, R},
          {"long", F::Enter, 25, N},
          {"3,5s", F::Enter, 35},
          {"1", F::Escape, 25}}},
        {"echo ratio",
         {{"7", F::Enter, 50, R},
          {"", F::FocusOut, 7, N},
          {"0,3", F::Enter, 3},
          {"1", F::Escape, 7}}},
        {"echo delay",
         {{"300", F::Enter, 250, R},
          {"x", F::FocusOut, 120, N},
          {"80ms", F::Enter, 80},
          {"-0", F::Enter, 0},
          {"9", F::Escape, 120}}},
        {"noise gate",
         {{"5", F::Enter, 100, R},
          {"-120", F::FocusOut, 0, R},
          {"off", F::Enter, 50, N},
          {"-6dB", F::Enter, 94},
          {"-0", F::FocusOut, 100},
          {"-9", F::Escape, 50}}},
        {"bass attenuation",
         {{"5", F::Enter, 20, R},
          {"-30", F::FocusOut, 0, R},
          {"abc", F::Enter, 10, N},
          {"-6dB", F::Enter, 14},
          {"-0", F::FocusOut, 20},
          {"-2", F::Escape, 10}}},
        {"input high-pass",
         {{"5", F::Enter, 20, R},
          {"x", F::FocusOut, 100, N},
          {"", F::Enter, 100, N},
          {"1,5k", F::Enter, 1500},
          {"300", F::Escape, 100}}},
        {"effect low-pass",
         {{"99999", F::Enter, 20000, R},
          {"abc", F::FocusOut, 8000, N},
          {"2,5k", F::Enter, 2500},
          {"300", F::Escape, 8000}}},
    };
    return table;
}

void TypeAndFinish(CNumEdit& box, const char* text, Finish finish) {
    box.selectAll();
    QTest::keyClick(&box, Qt::Key_Backspace);
    QTest::keyClicks(&box, text);
    switch (finish) {
        case Finish::Enter:
            QTest::keyClick(&box, Qt::Key_Return);
            break;
        case Finish::Escape:
            QTest::keyClick(&box, Qt::Key_Escape);
            break;
        case Finish::FocusOut:
            break;
    }
    // Leaving the field afterwards commits nothing more.
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(&box, &leave);
}

TEST(TypedEntry, EveryFieldKindTakesWhatWasMeantAndNeverATypo) {
    const std::vector<FieldKind> kinds = FieldKinds();
    for (const KindEntries& table : EntryTable()) {
        const auto kind = std::find_if(kinds.begin(), kinds.end(), [&](const FieldKind& k) {
            return std::string_view(k.name) == table.kind;
        });
        ASSERT_NE(kind, kinds.end()) << table.kind;
        for (const Entry& entry : table.entries) {
            SCOPED_TRACE(std::string(kind->name) + " typed \"" + entry.typed + "\"");
            Rig rig;
            rig.services.EditProgram([&](CAudio_Data&) { kind->set(rig, kind->start); });
            CNumEdit* box = kind->box(rig);
            rig.SendPendingRows();
            const std::string shownBefore = box->text().toStdString();

            TypeAndFinish(*box, entry.typed, entry.finish);

            EXPECT_EQ(kind->value(rig), entry.code);
            const std::vector<ShownMessage>& messages = rig.services.Messages();
            if (entry.said == Said::Nothing) {
                EXPECT_TRUE(messages.empty());
            } else {
                // In the language of the interface.
                const BilingualText& said =
                    entry.said == Said::OutOfRange ? kOutOfRangeMessage : kNotANumberMessage;
                ASSERT_EQ(messages.size(), 1u);
                EXPECT_EQ(messages[0].text.toStdString(), said.In(rig.services.GetLanguage()));
            }
            const int rows = rig.SendPendingRows();
            if (entry.code == kind->start) {
                EXPECT_EQ(rows, 0) << "nothing changed, so nothing is sent";
            } else {
                EXPECT_GT(rows, 0);
            }
            if (entry.finish == Finish::Escape) {
                EXPECT_EQ(box->text().toStdString(), shownBefore);
            }
            EXPECT_FALSE(box->IsModified());
        }
    }
}

TEST(TypedEntry, FocusPassingThroughAFieldSendsNothing) {
    for (const FieldKind& kind : FieldKinds()) {
        SCOPED_TRACE(kind.name);
        Rig rig;
        CNumEdit* box = kind.box(rig);
        rig.SendPendingRows();
        for (int pass = 0; pass < 2; ++pass) {
            QFocusEvent enter(QEvent::FocusIn, Qt::TabFocusReason);
            QApplication::sendEvent(box, &enter);
            QTest::keyClick(box, Qt::Key_Return);
            QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
            QApplication::sendEvent(box, &leave);
        }
        EXPECT_EQ(rig.SendPendingRows(), 0);
        EXPECT_TRUE(rig.services.Messages().empty());
    }
}

// Up and Down step as the arrows do, Page Up and Page Down ten times as far;
// each key press is written as one arrow click is.
TEST(TypedEntry, ArrowKeysStepEveryFieldKindLikeItsSpinArrows) {
    struct Step {
        Qt::Key key;
        int clicks;  // signed, in codes of the arrow's "up"
    };
    const Step steps[] = {
        {Qt::Key_Up, 1}, {Qt::Key_Down, -1}, {Qt::Key_PageUp, 10}, {Qt::Key_PageDown, -10}};
    for (const FieldKind& kind : FieldKinds()) {
        for (const Step& step : steps) {
            SCOPED_TRACE(std::string(kind.name) + " key " + std::to_string(step.key));
            Rig rig;
            rig.services.EditProgram([&](CAudio_Data&) { kind.set(rig, kind.start); });
            CNumEdit* box = kind.box(rig);
            rig.SendPendingRows();
            QTest::keyClick(box, step.key);
            // A Q box's up arrow raises Q, which is a lower bandwidth index.
            const int direction = std::string_view(kind.name) == "band Q" ? -1 : 1;
            const int expected =
                std::clamp(kind.start + direction * step.clicks, box->MinCode(), box->MaxCode());
            EXPECT_EQ(kind.value(rig), expected);
            EXPECT_EQ(box->GetValue(), expected);
            EXPECT_GT(rig.SendPendingRows(), 0);
        }
    }
}

// A step after typing starts from the typed value: stepping the old one
// would drop what the user typed without a word.
TEST(TypedEntry, AStepStartsFromTheValueJustTyped) {
    Rig rig;
    CNumEdit& box = rig.BandRow().Frequency();
    rig.SendPendingRows();
    box.selectAll();
    QTest::keyClicks(&box, "2k");
    QTest::keyClick(&box, Qt::Key_Up);
    EXPECT_EQ(rig.Band().GetFrequency(), 2001);
    EXPECT_EQ(box.text(), QStringLiteral("2001"));
    EXPECT_GT(rig.SendPendingRows(), 0);

    // The spin arrow's click does the same; a typo is refused and the step
    // goes from the value kept.
    box.selectAll();
    QTest::keyClicks(&box, "abc");
    rig.BandRow().FrequencySpin().UpButton()->click();
    EXPECT_EQ(rig.Band().GetFrequency(), 2002);
    EXPECT_EQ(rig.services.Messages().size(), 1u);
}

TEST(TypedEntry, KeysWithModifiersAreNotSteps) {
    Rig rig;
    CNumEdit& box = rig.BandRow().Frequency();
    const int before = rig.Band().GetFrequency();
    QTest::keyClick(&box, Qt::Key_Up, Qt::ShiftModifier);
    QTest::keyClick(&box, Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(rig.Band().GetFrequency(), before);
    EXPECT_EQ(rig.SendPendingRows(), 0);
}

// The range message is a modal box that takes the focus. While it is open,
// the next box (Tab went there) loses the focus too; whatever that sets off
// must not put the old value back into the field being committed.
TEST(TypedEntry, AClampedValueSurvivesTheRangeMessageBox) {
    class ModalMessages : public FakePageServices {
      public:
        void ShowMessage(const QString& text) override {
            FakePageServices::ShowMessage(text);
            // The user reads the box and presses OK.
            QTimer closer;
            QObject::connect(&closer, &QTimer::timeout, [] {
                for (QWidget* widget : QApplication::topLevelWidgets()) {
                    if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible()) {
                        box->done(QMessageBox::Ok);
                    }
                }
            });
            closer.start(10);
            QMessageBox::information(nullptr, QString(), text);
        }
    };
    ModalMessages services;
    OutputPage page(services);
    page.resize(1000, 900);
    page.ShowChannel(&services.Program(), OutputKind::kMainLeft);
    page.show();
    page.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&page));
    EqBandTableRow& row = page.Equaliser().Table().Row(0);
    row.Frequency().setFocus();
    row.Frequency().selectAll();
    QTest::keyClicks(&row.Frequency(), "25000");
    QTest::keyClick(&row.Frequency(), Qt::Key_Tab);

    EXPECT_EQ(services.Messages().size(), 1u);
    EXPECT_EQ(services.Program().GetOutput(OutputKind::kMainLeft).GetBand(0).GetFrequency(), 20000);
    EXPECT_EQ(row.Frequency().text(), QStringLiteral("20000"));
}

}  // namespace
