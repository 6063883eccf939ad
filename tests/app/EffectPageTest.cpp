// SPDX-License-Identifier: GPL-3.0-or-later
// The effect page: sliders and boxes of the effect parameters on their
// scales and ranges, the effect EQ's rows, crossover boxes and "All Bypass"
// switch, and the graph's drags reaching the rows and boxes.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>

#include "FakePageServices.h"
#include "ShellTestRig.h"
#include "app/dialogs/ProgressWindow.h"
#include "app/dialogs/SetupSliderField.h"
#include "app/graph/FStatic.h"
#include "app/pages/EffectCrossoverFields.h"
#include "app/pages/EffectPage.h"
#include "app/pages/EffectParameterSection.h"
#include "app/pages/EqBandTable.h"
#include "app/pages/EqBandTableRow.h"
#include "app/widgets/NumEdit.h"
#include "model/Audio_EffectData.h"

namespace {

// Types `text` over the box's contents and leaves the box, as a user would.
void TypeAndLeave(CNumEdit& box, const char* text) {
    box.selectAll();
    QTest::keyClicks(&box, text);
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(&box, &leave);
}

class EffectPageTest : public ::testing::Test {
  protected:
    EffectPageTest() : page_(services_) {
        page_.resize(900, 700);
        page_.ShowChannel(&services_.Program(), 0);
    }

    CAudio_EffectData& Effect() { return services_.Program().GetEffect(); }
    SetupSliderField& Field(int param) {
        SetupSliderField* field = page_.Parameters().Field(param);
        EXPECT_NE(field, nullptr) << "parameter " << param;
        return *field;
    }
    void ClearFlags() {
        Effect().SetFirstRowChanged(0);
        Effect().SetSecondRowChanged(0);
    }

    FakePageServices services_;
    EffectPage page_;
};

TEST_F(EffectPageTest, SliderMovesShowTheCodeOnItsScaleAndFlagItsRow) {
    struct Case {
        int param;
        int position;
        const char* shown;
        bool secondRow;
    };
    const Case cases[] = {
        {EffectParam::kReverbTime, 35, "3.5s", false},
        {EffectParam::kReverbHighRatio, 25, "2.5", false},
        {EffectParam::kReverbDirect, 50, "50%", false},
        {EffectParam::kEchoHighRatio, 50, "5.0", false},
        {EffectParam::kLeftEchoDelay, 120, "120ms", true},
        {EffectParam::kRightEchoRepeat, 7, "7%", true},
        {EffectParam::kEchoDirect, 99, "99%", true},
    };
    for (const Case& c : cases) {
        ClearFlags();
        const int editsBefore = services_.edits;
        Field(c.param).Slider()->setValue(c.position);
        EXPECT_EQ(Effect().GetEffectParam(c.param), c.position) << "parameter " << c.param;
        EXPECT_EQ(Field(c.param).Box()->text(), QString::fromUtf8(c.shown))
            << "parameter " << c.param;
        EXPECT_EQ(Effect().IsSecondRowChanged() != 0, c.secondRow) << "parameter " << c.param;
        EXPECT_EQ(Effect().IsFirstRowChanged() != 0, !c.secondRow) << "parameter " << c.param;
        EXPECT_GT(services_.edits, editsBefore) << "edits go through EditProgram";
    }
    EXPECT_TRUE(services_.Messages().empty());
}

TEST_F(EffectPageTest, TypedValuesKeepToEachParameterRange) {
    struct Case {
        int param;
        const char* typed;
        int code;
        const char* shown;
        bool outOfRange;
    };
    const Case cases[] = {
        {EffectParam::kEchoVolume, "99", 99, "99%", false},
        {EffectParam::kEchoVolume, "100", 99, "99%", true},
        {EffectParam::kReverbPreDelay, "100", 100, "100%", false},
        {EffectParam::kReverbPreDelay, "101", 100, "100%", true},
        {EffectParam::kLeftEchoDelay, "300", 250, "250ms", true},
        {EffectParam::kRightEchoPreDelay, "42", 42, "42ms", false},
        {EffectParam::kReverbTime, "2.5", 25, "2.5s", false},
        {EffectParam::kReverbTime, "7", 60, "6.0s", true},
    };
    for (const Case& c : cases) {
        const size_t messagesBefore = services_.Messages().size();
        TypeAndLeave(*Field(c.param).Box(), c.typed);
        EXPECT_EQ(Effect().GetEffectParam(c.param), c.code) << c.typed << " into " << c.param;
        EXPECT_EQ(Field(c.param).Box()->text(), QString::fromUtf8(c.shown)) << c.typed;
        EXPECT_EQ(Field(c.param).Slider()->value(), c.code) << "slider follows the box";
        EXPECT_EQ(services_.Messages().size(), messagesBefore + (c.outOfRange ? 1 : 0)) << c.typed;
        if (c.outOfRange) {
            EXPECT_EQ(services_.Messages().back().text, QStringLiteral("Out of Range"));
        }
    }
}

TEST_F(EffectPageTest, OnlyTheFourteenPageParametersHaveControls) {
    EXPECT_EQ(page_.Parameters().Field(EffectParam::kNoiseGate), nullptr);
    EXPECT_EQ(page_.Parameters().Field(EffectParam::kOutputLevel), nullptr);
    for (int param : {0, 1, 2, 3, 4, 7, 8, 9, 10, 11, 12, 13, 14, 15}) {
        EXPECT_NE(page_.Parameters().Field(param), nullptr) << "parameter " << param;
    }
}

TEST_F(EffectPageTest, RefreshShowsTheProgramAndReportsNothing) {
    services_.EditProgram([](CAudio_Data& program) {
        CAudio_EffectData& effect = program.GetEffect();
        effect.SetEffectParam(EffectParam::kRightEchoDelay, 200);
        effect.GetBand(1).SetFrequency(440);
        effect.GetHighPass().SetFrequency(80);
        effect.GetLowPass().SetFrequency(12000);
    });
    ClearFlags();
    for (int element = 0; element < Effect().GetChain().GetCount(); ++element) {
        Effect().GetChain().GetElement(element).SetDirty(0);
    }
    page_.Refresh();
    for (int element = 0; element < Effect().GetChain().GetCount(); ++element) {
        EXPECT_FALSE(Effect().GetChain().GetElement(element).IsDirty()) << "element " << element;
    }
    EXPECT_EQ(Field(EffectParam::kRightEchoDelay).Box()->text(), QStringLiteral("200ms"));
    EXPECT_EQ(Field(EffectParam::kRightEchoDelay).Slider()->value(), 200);
    EXPECT_EQ(page_.Bands().Row(1).Frequency().text(), QStringLiteral("440"));
    EXPECT_EQ(page_.Crossover().HighPass().text(), QStringLiteral("80"));
    EXPECT_EQ(page_.Crossover().LowPass().text(), QStringLiteral("12000"));
    EXPECT_EQ(page_.Graph().GetMode(), 7);
    EXPECT_FALSE(Effect().IsFirstRowChanged() || Effect().IsSecondRowChanged());
    EXPECT_FALSE(page_.Bands().Row(0).Kind().isEnabled()) << "the kind cannot be changed here";
    EXPECT_EQ(page_.Bands().Row(0).Kind().itemText(1), QStringLiteral("Low Shelf"));
}

TEST_F(EffectPageTest, CrossoverFrequenciesNeverCross) {
    struct Case {
        bool highPass;
        const char* typed;
        int highPassAfter;
        int lowPassAfter;
    };
    // Start: high-pass 100, low-pass 5000.
    const Case cases[] = {
        {false, "10", 100, 100},     // below the range, then raised to the high-pass
        {false, "50", 100, 100},     // below the high-pass: raised to it
        {true, "8000", 5000, 5000},  // above the low-pass: lowered to it
        {true, "300", 300, 5000},   {false, "6000", 100, 6000},
    };
    for (const Case& c : cases) {
        services_.EditProgram([](CAudio_Data& program) {
            program.GetEffect().GetHighPass().SetFrequency(100);
            program.GetEffect().GetLowPass().SetFrequency(5000);
        });
        page_.Refresh();
        CNumEdit& box = c.highPass ? page_.Crossover().HighPass() : page_.Crossover().LowPass();
        TypeAndLeave(box, c.typed);
        EXPECT_EQ(Effect().GetHighPass().GetFrequency(), c.highPassAfter) << c.typed;
        EXPECT_EQ(Effect().GetLowPass().GetFrequency(), c.lowPassAfter) << c.typed;
        EXPECT_EQ(box.text(), QString::number(c.highPass ? c.highPassAfter : c.lowPassAfter));
    }
    EXPECT_TRUE(Effect().GetLowPass().IsDirty());
}

TEST_F(EffectPageTest, ZeroGainBypassesTheBandAndCanSwitchAllBypassOn) {
    services_.EditProgram([](CAudio_Data& program) {
        CAudio_EffectData& effect = program.GetEffect();
        effect.GetBand(0).SetGainIndex(170);
        effect.GetBand(0).SetBypass(1);
        effect.GetBand(1).SetGainIndex(200);
        effect.GetBand(2).SetGainIndex(150);
    });
    page_.Refresh();
    EqBandTableRow& row = page_.Bands().Row(2);
    EXPECT_FALSE(row.Bypass().isChecked());
    EXPECT_FALSE(page_.AllBypass().isChecked());

    TypeAndLeave(row.Gain(), "0");
    EXPECT_EQ(Effect().GetBand(2).GetGainIndex(), 200);
    EXPECT_TRUE(row.Bypass().isChecked());
    EXPECT_TRUE(page_.AllBypass().isChecked());
    EXPECT_EQ(page_.Bands().HighlightedRow(), 2);

    // A 0 dB band cannot be switched on: the box goes back to ticked.
    row.Bypass().click();
    EXPECT_TRUE(row.Bypass().isChecked());
    EXPECT_EQ(Effect().GetBand(2).GetBypassState(), 1);
}

TEST_F(EffectPageTest, AllBypassSwitchesEveryBandAndBack) {
    services_.EditProgram([](CAudio_Data& program) {
        for (int band = 0; band < 3; ++band) {
            program.GetEffect().GetBand(band).SetGainIndex(180 + band);
        }
    });
    page_.Refresh();
    EXPECT_FALSE(page_.AllBypass().isChecked());

    QTest::mouseClick(&page_.AllBypass(), Qt::LeftButton);
    EXPECT_TRUE(page_.AllBypass().isChecked());
    for (int band = 0; band < 3; ++band) {
        EXPECT_EQ(Effect().GetBand(band).GetBypassState(), 1) << "band " << band;
        EXPECT_TRUE(page_.Bands().Row(band).Bypass().isChecked()) << "band " << band;
    }

    QTest::mouseClick(&page_.AllBypass(), Qt::LeftButton);
    EXPECT_FALSE(page_.AllBypass().isChecked());
    for (int band = 0; band < 3; ++band) {
        EXPECT_EQ(Effect().GetBand(band).GetBypassState(), 0) << "band " << band;
        EXPECT_FALSE(page_.Bands().Row(band).Bypass().isChecked()) << "band " << band;
        EXPECT_EQ(Effect().GetBand(band).GetGainIndex(), 180 + band) << "gains are kept";
    }
}

TEST_F(EffectPageTest, GraphDragsRefreshTheirRowOrBox) {
    page_.Bands().HighlightRow(0);
    services_.EditProgram([](CAudio_Data& program) {
        CAudio_EffectData& effect = program.GetEffect();
        effect.GetBand(1).SetFrequency(2500);
        effect.GetBand(1).SetGainIndex(230);
        effect.GetLowPass().SetFrequency(9000);
    });
    emit page_.Graph().ElementChanged(1);
    EXPECT_EQ(page_.Bands().Row(1).Frequency().text(), QStringLiteral("2500"));
    EXPECT_EQ(page_.Bands().Row(1).Gain().text(), QStringLiteral("3.0"));
    EXPECT_EQ(page_.Bands().HighlightedRow(), 1);
    EXPECT_NE(page_.Crossover().LowPass().text(), QStringLiteral("9000"));

    emit page_.Graph().ElementChanged(4);
    EXPECT_EQ(page_.Crossover().LowPass().text(), QStringLiteral("9000"));
    EXPECT_EQ(page_.Bands().HighlightedRow(), 1);
}

TEST_F(EffectPageTest, BandRowEditsReachTheBandThroughTheQueueLock) {
    EqBandTableRow& row = page_.Bands().Row(0);
    const int editsBefore = services_.edits;
    TypeAndLeave(row.Frequency(), "750");
    TypeAndLeave(row.Gain(), "-3.5");
    EXPECT_EQ(Effect().GetBand(0).GetFrequency(), 750);
    EXPECT_EQ(Effect().GetBand(0).GetGainIndex(), 165);
    EXPECT_TRUE(Effect().GetBand(0).IsDirty());
    EXPECT_GE(services_.edits, editsBefore + 2);
    EXPECT_EQ(row.Bypass().text(), QStringLiteral("ByPass"));
}

TEST_F(EffectPageTest, TextsFollowTheLanguageAtTheNextRefresh) {
    EXPECT_EQ(page_.Bands().Row(0).Bypass().text(), QStringLiteral("ByPass"));
    services_.base.language = Language::Chinese;
    page_.Refresh();
    EXPECT_EQ(page_.Bands().Row(0).Bypass().text(), QStringLiteral("旁路"));
    EXPECT_EQ(Field(EffectParam::kReverbTime).Caption()->text(), QStringLiteral("混响时间"));
    TypeAndLeave(*Field(EffectParam::kEchoVolume).Box(), "120");
    ASSERT_EQ(services_.Messages().size(), 1u);
    EXPECT_EQ(services_.Messages().back().text, QStringLiteral("超出范围"));
}

TEST(EffectPageViewTest, ShowsTheEffectOfTheProgramReadOnConnecting) {
    ShellTestRig rig;
    devsim::ProgramImage image = rig.device.CurrentImage();
    image[devsim::kEffectRecordOffset + EffectParam::kLeftEchoDelay] = 123;
    image[devsim::kEffectRecordOffset + EffectParam::kReverbTime] = 42;
    rig.device.SetCurrentImage(image);
    rig.view.SelectPage(2);
    auto* page = qobject_cast<EffectPage*>(rig.view.CurrentPageWidget());
    ASSERT_NE(page, nullptr);

    ASSERT_TRUE(rig.ConnectOverNetwork());
    ASSERT_TRUE(RunUntil([&] { return !rig.view.Progress()->isVisible(); }));
    EXPECT_EQ(page->Parameters().Field(EffectParam::kLeftEchoDelay)->Box()->text(),
              QStringLiteral("123ms"));
    EXPECT_EQ(page->Parameters().Field(EffectParam::kReverbTime)->Slider()->value(), 42);

    // An edit on the page reaches the device as the row of its byte.
    rig.device.ClearLog();
    page->Parameters().Field(EffectParam::kRightEchoRepeat)->Slider()->setValue(33);
    ASSERT_TRUE(RunUntil([&] {
        return rig.device
                   .CurrentImage()[devsim::kEffectRecordOffset + EffectParam::kRightEchoRepeat] ==
               33;
    }));
    EXPECT_TRUE(rig.messages.shown.empty());
}

}  // namespace
