// SPDX-License-Identifier: GPL-3.0-or-later
// The output level section against a real program: what each box shows for
// a code, every control's edit reaching the shown output (and its linked
// partner) through the program lock with the level row flagged, the delay
// unit that changes only the text, and the release text.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QSlider>
#include <QToolButton>
#include <string>

#include "OutputLevelTestRig.h"
#include "app/dialogs/SetupSliderField.h"
#include "app/pages/OutputLevelLimiter.h"
#include "app/pages/OutputLevelRules.h"
#include "app/pages/OutputLevelSection.h"
#include "app/widgets/SpinButtons.h"
#include "model/OutputLinkTable.h"

namespace {

std::string Text(const QLineEdit* box) {
    return box->text().toStdString();
}

class OutputLevelSectionTest : public ::testing::Test {
  protected:
    OutputLevelSectionTest() {
        section.ShowOutput(&program, OutputKind::kMainLeft);
        ClearOutputFlags(program);
    }

    CAudio_OutData& Output(int index) { return program.GetOutput(index); }
    // Sets model values as a loaded program would, without flags, and shows them.
    void Load(int index, const std::function<void(CAudio_OutData&)>& change) {
        change(Output(index));
        ClearOutputFlags(program);
        services.Settle();
        section.ShowOutput(&program, index);
    }
    CNumEdit* GainBox() const { return section.GainField()->Box(); }
    CNumEdit* DelayBox() const { return section.DelayField()->Box(); }
    OutputLevelLimiter& Limiter() const { return *section.Limiter(); }

    EditCheckingServices services;
    CAudio_Data& program = services.Program();
    OutputLevelSection section{services};
};

struct ShownCode {
    const char* control;
    int32_t code;
    const char* text;
};

TEST_F(OutputLevelSectionTest, EachBoxShowsTheOutputsCodeOnItsScale) {
    const ShownCode cases[] = {
        {"gain", 40, "0"},           {"gain", 0, "-40"},         {"gain", 50, "10"},
        {"delay", 0, "0.000"},       {"delay", 476, "9.996"},    {"delay", 477, "10.996"},
        {"delay", 566, "99.996"},    {"threshold", 60, "0.0dB"}, {"threshold", 0, "-30.0dB"},
        {"threshold", 80, "10.0dB"}, {"attack", 0, "0.3ms"},     {"attack", 6, "0.9ms"},
        {"attack", 7, "1ms"},        {"attack", 106, "100ms"},
    };
    for (const ShownCode& shown : cases) {
        SCOPED_TRACE(std::string(shown.control) + " " + std::to_string(shown.code));
        const std::string control = shown.control;
        Load(OutputKind::kCentre, [&](CAudio_OutData& out) {
            if (control == "gain") {
                out.SetGain(shown.code);
            } else if (control == "delay") {
                out.SetDelay(shown.code);
            } else if (control == "threshold") {
                out.SetLimiterThreshold(shown.code);
            } else {
                out.SetLimiterAttack(shown.code);
            }
        });
        const QLineEdit* box = control == "gain"        ? GainBox()
                               : control == "delay"     ? DelayBox()
                               : control == "threshold" ? Limiter().ThresholdBox()
                                                        : Limiter().AttackBox();
        EXPECT_EQ(Text(box), shown.text);
        EXPECT_TRUE(box->toolTip().isEmpty()) << "no out-of-range mark";
        if (control == "gain" || control == "delay") {
            const SetupSliderField* field =
                control == "gain" ? section.GainField() : section.DelayField();
            EXPECT_EQ(field->Slider()->value(), shown.code);
        }
    }
    EXPECT_EQ(services.edits, 0);
}

TEST(OutputLevelRulesTest, ReleaseTextIsTheAttackTimeTimesTheReleaseFactor) {
    struct Case {
        int32_t attack;
        int32_t release;
        const char* text;
    };
    const Case cases[] = {
        {10, 1, "4X(16ms)"},   {2, 5, "32X(16.0ms)"}, {106, 0, "2X(200ms)"}, {0, 0, "2X(0.6ms)"},
        {6, 4, "16X(14.4ms)"}, {7, 3, "8X(8ms)"},     {20, 2, "6X(84ms)"},   {0, 6, "6"},
        {0, -1, "-1"},         {107, 0, "2X"},        {-1, 5, "32X"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.attack) + "/" + std::to_string(c.release));
        EXPECT_EQ(LimiterReleaseText(c.attack, c.release), c.text);
    }
}

TEST_F(OutputLevelSectionTest, GainSliderAndBoxFollowEachOtherAndSetTheOutput) {
    section.GainField()->Slider()->setValue(45);
    EXPECT_EQ(Text(GainBox()), "5");
    EXPECT_EQ(Output(0).GetGain(), 45);
    EXPECT_EQ(Output(0).IsGainChanged(), 1);

    ClearOutputFlags(program);
    TypeAndLeave(GainBox(), "-3");
    EXPECT_EQ(section.GainField()->Slider()->value(), 37);
    EXPECT_EQ(Output(0).GetGain(), 37);
    EXPECT_EQ(Output(0).IsGainChanged(), 1);

    EXPECT_EQ(services.edits, 2);
    EXPECT_FALSE(services.ChangedOutsideEdit());
    EXPECT_EQ(Output(0).IsMixChanged(), 0);
}

TEST_F(OutputLevelSectionTest, DelaySliderAndTypedDelaySetTheOutput) {
    section.DelayField()->Slider()->setValue(477);
    EXPECT_EQ(Text(DelayBox()), "10.996");
    EXPECT_EQ(Output(0).GetDelay(), 477);

    TypeAndLeave(DelayBox(), "5");
    EXPECT_EQ(Output(0).GetDelay(), 238);
    EXPECT_EQ(section.DelayField()->Slider()->value(), 238);
    EXPECT_EQ(Text(DelayBox()), "4.998");

    // Too long a delay is reported in the page's language and clamped.
    TypeAndLeave(DelayBox(), "150");
    ASSERT_EQ(services.Messages().size(), 1u);
    EXPECT_EQ(services.Messages()[0].text.toStdString(), "Out of Range");
    EXPECT_EQ(Output(0).GetDelay(), kMaxDelayCode);
    EXPECT_FALSE(services.ChangedOutsideEdit());
}

TEST_F(OutputLevelSectionTest, DelayUnitReformatsTheSameCodeAndIsKeptAcrossOutputs) {
    Load(OutputKind::kMainLeft, [](CAudio_OutData& out) { out.SetDelay(475); });
    const char* const shown[] = {"3.392", "11.128", "9.975"};
    const DelayUnit units[] = {DelayUnit::Metres, DelayUnit::Feet, DelayUnit::Milliseconds};
    for (int press = 0; press < 3; ++press) {
        section.DelayUnitButton()->click();
        EXPECT_EQ(section.CurrentDelayUnit(), units[press]);
        EXPECT_EQ(Text(DelayBox()), shown[press]) << "press " << press + 1;
    }
    EXPECT_EQ(Output(0).GetDelay(), 475);
    EXPECT_EQ(section.DelayField()->Slider()->value(), 475);
    EXPECT_EQ(services.edits, 0);
    EXPECT_FALSE(AnyOutputFlagged(program));

    section.DelayUnitButton()->click();
    Load(OutputKind::kSubwoofer, [](CAudio_OutData& out) { out.SetDelay(0); });
    EXPECT_EQ(section.CurrentDelayUnit(), DelayUnit::Metres);
    EXPECT_EQ(section.DelayUnitButton()->text().toStdString(), "m");
}

TEST_F(OutputLevelSectionTest, LimiterArrowsSetTheOutputAndRebuildTheReleaseText) {
    Load(OutputKind::kSurroundRight, [](CAudio_OutData& out) {
        out.SetLimiterThreshold(60);
        out.SetLimiterAttack(10);
        out.SetLimiterRelease(0);
    });
    EXPECT_EQ(Text(Limiter().ReleaseBox()), "2X(8ms)");

    Limiter().ThresholdArrows()->UpButton()->click();
    EXPECT_EQ(Output(5).GetLimiterThreshold(), 61);
    EXPECT_EQ(Text(Limiter().ThresholdBox()), "0.5dB");

    Limiter().ReleaseArrows()->UpButton()->click();
    EXPECT_EQ(Output(5).GetLimiterRelease(), 1);
    EXPECT_EQ(Text(Limiter().ReleaseBox()), "4X(16ms)");

    Limiter().AttackArrows()->DownButton()->click();
    EXPECT_EQ(Output(5).GetLimiterAttack(), 9);
    EXPECT_EQ(Text(Limiter().ReleaseBox()), "4X(12ms)");

    EXPECT_EQ(Output(5).IsGainChanged(), 1);
    EXPECT_EQ(services.edits, 3);
    EXPECT_FALSE(services.ChangedOutsideEdit());
}

TEST_F(OutputLevelSectionTest, ReleaseStopsAtItsLastCodeAndTakesNoTyping) {
    Load(OutputKind::kMainLeft, [](CAudio_OutData& out) {
        out.SetLimiterAttack(2);
        out.SetLimiterRelease(5);
    });
    EXPECT_EQ(Text(Limiter().ReleaseBox()), "32X(16.0ms)");
    Limiter().ReleaseArrows()->UpButton()->click();
    EXPECT_EQ(services.edits, 0);
    EXPECT_TRUE(Limiter().ReleaseBox()->isReadOnly());
    EXPECT_EQ(Limiter().ReleaseBox()->focusPolicy(), Qt::NoFocus);
}

TEST_F(OutputLevelSectionTest, TypedAttackRebuildsTheReleaseTextFromTheNewAttack) {
    Load(OutputKind::kMainLeft, [](CAudio_OutData& out) { out.SetLimiterRelease(1); });
    TypeAndLeave(Limiter().AttackBox(), "4");
    EXPECT_EQ(Output(0).GetLimiterAttack(), 10);
    EXPECT_EQ(Text(Limiter().ReleaseBox()), "4X(16ms)");
}

TEST_F(OutputLevelSectionTest, ReleaseArrowDoesNotTakeAttackTextStillBeingTyped) {
    Load(OutputKind::kMainLeft, [](CAudio_OutData& out) { out.SetLimiterAttack(10); });
    Limiter().AttackBox()->selectAll();
    QTest::keyClicks(Limiter().AttackBox(), "50");
    Limiter().ReleaseArrows()->UpButton()->click();
    EXPECT_EQ(Output(0).GetLimiterAttack(), 10);
    EXPECT_EQ(Text(Limiter().ReleaseBox()), "4X(16ms)");
}

TEST_F(OutputLevelSectionTest, EditOnALinkedOutputReachesItsPartner) {
    program.LinkOutputs(OutputKind::kMainLeft, OutputKind::kMainRight, true);
    ClearOutputFlags(program);
    services.Settle();

    section.GainField()->Slider()->setValue(46);
    Limiter().AttackArrows()->UpButton()->click();
    for (int output : {OutputKind::kMainLeft, OutputKind::kMainRight}) {
        SCOPED_TRACE(output);
        EXPECT_EQ(Output(output).GetGain(), 46);
        EXPECT_EQ(Output(output).GetLimiterAttack(), 1);
        EXPECT_EQ(Output(output).IsGainChanged(), 1);
    }
    EXPECT_EQ(Output(OutputKind::kCentre).IsGainChanged(), 0);
    EXPECT_FALSE(services.ChangedOutsideEdit());

    section.ShowOutput(&program, OutputKind::kMainRight);
    EXPECT_EQ(Text(GainBox()), "6");
}

TEST_F(OutputLevelSectionTest, CodesOutsideABoxsRangeAreNamedAndMarkedNotClampedNorSent) {
    Load(OutputKind::kMainLeft, [](CAudio_OutData& out) {
        out.SetGain(0);
        out.SetLimiterAttack(0);
    });
    // As a device record may carry: gain 200, delay -1, threshold 100,
    // attack 200, release 9.
    Load(OutputKind::kMainRight, [](CAudio_OutData& out) {
        out.SetGain(200);
        out.SetDelay(-1);
        out.SetLimiterThreshold(100);
        out.SetLimiterAttack(200);
        out.SetLimiterRelease(9);
    });
    EXPECT_EQ(Text(GainBox()), "160");
    EXPECT_EQ(section.GainField()->Slider()->value(), kMaxGainCode);
    EXPECT_EQ(Text(DelayBox()), "-0.021");
    EXPECT_EQ(section.DelayField()->Slider()->value(), 0);
    EXPECT_EQ(Text(Limiter().ThresholdBox()), "20.0dB");
    EXPECT_EQ(Text(Limiter().AttackBox()), "194ms");
    // No release time can be given for release code 9; the code is named.
    EXPECT_EQ(Text(Limiter().ReleaseBox()), "9");
    for (const CNumEdit* box : {GainBox(), DelayBox(), Limiter().ThresholdBox(),
                                Limiter().AttackBox(), Limiter().ReleaseBox()}) {
        EXPECT_TRUE(box->IsOutOfRange()) << box->ControlId();
        EXPECT_FALSE(box->toolTip().isEmpty()) << box->ControlId();
    }
    EXPECT_EQ(services.edits, 0);
    EXPECT_EQ(Output(1).GetGain(), 200);
    EXPECT_EQ(Output(1).GetLimiterRelease(), 9);
    EXPECT_FALSE(AnyOutputFlagged(program));
}

// What the user does to a gain field that shows a code outside its range.
enum class GainAction { SlideTo45, ArrowUp, ArrowDown, Type5, LeaveUntouched };

TEST_F(OutputLevelSectionTest, TouchingAnOutOfRangeGainAppliesTheRangeAndTakesTheMarkAway) {
    struct Case {
        const char* name;
        int32_t held;
        const char* shown;
        GainAction action;
        int32_t stored;  // the held code again where nothing may be written
        int edits;
    };
    const Case cases[] = {
        {"above, slider", 60, "20", GainAction::SlideTo45, 45, 1},
        {"above, arrow up", 60, "20", GainAction::ArrowUp, 50, 1},
        {"above, arrow down", 60, "20", GainAction::ArrowDown, 50, 1},
        {"above, typed", 70, "30", GainAction::Type5, 45, 1},
        {"above, focus passing", 60, "20", GainAction::LeaveUntouched, 60, 0},
        {"below, arrow down", -5, "-45", GainAction::ArrowDown, 0, 1},
        {"below, typed", -5, "-45", GainAction::Type5, 45, 1},
        {"below, focus passing", -5, "-45", GainAction::LeaveUntouched, -5, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        services.edits = 0;
        Load(OutputKind::kCentre, [&](CAudio_OutData& out) { out.SetGain(c.held); });
        ASSERT_EQ(Text(GainBox()), c.shown);
        ASSERT_TRUE(GainBox()->IsOutOfRange());
        EXPECT_EQ(section.GainField()->Value(), c.held);
        EXPECT_EQ(section.GainField()->Slider()->value(), c.held > 0 ? kMaxGainCode : 0);

        switch (c.action) {
            case GainAction::SlideTo45:
                section.GainField()->Slider()->setValue(45);
                break;
            case GainAction::ArrowUp:
                section.GainField()->Arrows()->UpButton()->click();
                break;
            case GainAction::ArrowDown:
                section.GainField()->Arrows()->DownButton()->click();
                break;
            case GainAction::Type5:
                TypeAndLeave(GainBox(), "5");
                break;
            case GainAction::LeaveUntouched: {
                QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
                QApplication::sendEvent(GainBox(), &leave);
                break;
            }
        }
        EXPECT_EQ(Output(OutputKind::kCentre).GetGain(), c.stored);
        EXPECT_EQ(services.edits, c.edits);
        EXPECT_EQ(Output(OutputKind::kCentre).IsGainChanged(), c.edits);
        EXPECT_EQ(GainBox()->IsOutOfRange(), c.edits == 0);
        if (c.edits != 0) {
            EXPECT_EQ(section.GainField()->Slider()->value(), c.stored);
            EXPECT_EQ(GainBox()->GetValue(), c.stored);
        }
    }
    EXPECT_TRUE(services.Messages().empty());
    EXPECT_FALSE(services.ChangedOutsideEdit());
}

TEST_F(OutputLevelSectionTest, NothingIsEditedBeforeAnOutputIsShown) {
    OutputLevelSection unshown{services};
    unshown.GainField()->Slider()->setValue(10);
    unshown.Limiter()->ThresholdArrows()->UpButton()->click();
    EXPECT_EQ(services.edits, 0);
    EXPECT_FALSE(AnyOutputFlagged(program));
}

}  // namespace
