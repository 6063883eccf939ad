// SPDX-License-Identifier: GPL-3.0-or-later
// The output page as a user drives it: band rows per output, typed band and
// crossover edits reaching linked outputs, the family drop-downs in both
// languages, "All Bypass", and graph drags reaching the rows, the boxes and
// the linked output.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "FakePageServices.h"
#include "ShellTestRig.h"
#include "app/PageButtons.h"
#include "app/dialogs/SetupSliderField.h"
#include "app/graph/FStatic.h"
#include "app/pages/EqBandTable.h"
#include "app/pages/EqBandTableRow.h"
#include "app/pages/OutputCrossoverRow.h"
#include "app/pages/OutputCrossoverSection.h"
#include "app/pages/OutputEqSection.h"
#include "app/pages/OutputLevelSection.h"
#include "app/pages/OutputMixSection.h"
#include "app/pages/OutputPage.h"
#include "app/widgets/NumEdit.h"
#include "curves/ResponseKinds.h"
#include "model/Audio_Data.h"
#include "model/ChannelIndex.h"

namespace {

// Types `text` over the box's contents and leaves the box, as a user would.
void TypeAndLeave(CNumEdit& box, const char* text) {
    box.selectAll();
    QTest::keyClicks(&box, text);
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(&box, &leave);
}

// Picks entry `index` of a drop-down, as a user would.
void Choose(QComboBox& box, int index) {
    box.setCurrentIndex(index);
    emit box.activated(index);
}

QPoint CentreOf(const PixelRect& rect) {
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

class OutputPageTest : public testing::Test {
  protected:
    OutputPageTest() : page_(services_) {
        page_.resize(1000, 900);
        page_.show();
        Show(OutputKind::kMainLeft);
    }

    void Show(int output) { page_.ShowChannel(&Program(), output); }
    void LinkMainPair() {
        services_.EditProgram([](CAudio_Data& program) {
            program.GetOutputLinks().SetGroup(OutputKind::kMainRight, OutputKind::kMainLeft);
        });
    }
    CAudio_Data& Program() { return services_.Program(); }
    CFilter& Band(int output, int band) { return Program().GetOutput(output).GetBand(band); }
    EqBandTable& Table() { return page_.Equaliser().Table(); }
    EqBandTableRow& Row(int row) { return Table().Row(row); }
    OutputCrossoverRow& Crossover(CrossoverSide side) { return page_.Crossover().Row(side); }

    FakePageServices services_;
    OutputPage page_;
};

TEST_F(OutputPageTest, MainOutputsShowSevenBandRowsAndTheOthersFive) {
    struct Case {
        int output;
        int rows;
    };
    // One page serves every output, so a page shown after a five-row output
    // must bring the last two rows back.
    const Case cases[] = {{OutputKind::kCentre, 5},
                          {OutputKind::kMainLeft, 7},
                          {OutputKind::kSubwoofer, 5},
                          {OutputKind::kMainRight, 7},
                          {4, 5},
                          {5, 5}};
    for (const Case& c : cases) {
        Show(c.output);
        for (int r = 0; r < Table().RowCount(); ++r) {
            EXPECT_EQ(Row(r).isVisibleTo(&page_), r < c.rows)
                << "output " << c.output << " row " << r;
        }
    }
}

TEST_F(OutputPageTest, ShowsTheLevelsMixAndCrossoverOfTheOutputItIsAskedFor) {
    services_.EditProgram([](CAudio_Data& program) {
        program.GetOutput(OutputKind::kSubwoofer).SetGain(45);
        program.GetOutput(OutputKind::kSubwoofer).GetLowPass().SetFrequency(120);
        program.GetOutput(OutputKind::kSubwoofer)
            .GetLowPass()
            .SetFamily(FilterFamily::kButterworth);
    });
    Show(OutputKind::kSubwoofer);
    EXPECT_EQ(page_.Levels().GainField()->Box()->text(), QStringLiteral("5"));
    EXPECT_EQ(page_.Mix().MusicLevel()->Box()->text(), QStringLiteral("99%"));
    EXPECT_EQ(Crossover(CrossoverSide::LowPass).Frequency().text(), QStringLiteral("120"));
    EXPECT_EQ(Crossover(CrossoverSide::LowPass).Family().currentIndex(),
              FilterFamily::kButterworth);
    EXPECT_EQ(Crossover(CrossoverSide::HighPass).Frequency().text(), QStringLiteral("20"));

    Show(OutputKind::kMainLeft);
    EXPECT_EQ(page_.Levels().GainField()->Box()->text(), QStringLiteral("0"));
    EXPECT_EQ(Crossover(CrossoverSide::LowPass).Frequency().text(), QStringLiteral("20000"));
}

TEST_F(OutputPageTest, BandEditsOnLinkedMainLeftReachMainRight) {
    LinkMainPair();
    const int editsBefore = services_.edits;
    TypeAndLeave(Row(2).Frequency(), "500");
    EXPECT_EQ(Band(OutputKind::kMainLeft, 2).GetFrequency(), 500);
    EXPECT_EQ(Band(OutputKind::kMainRight, 2).GetFrequency(), 500);
    EXPECT_EQ(Band(OutputKind::kCentre, 2).GetFrequency(), 266);
    EXPECT_GT(services_.edits, editsBefore) << "edits go through EditProgram";

    TypeAndLeave(Row(2).Frequency(), "5000");
    Choose(Row(2).Kind(), ElementType::kLowShelf);
    for (const int output : {OutputKind::kMainLeft, OutputKind::kMainRight}) {
        EXPECT_EQ(Band(output, 2).GetType(), ElementType::kLowShelf) << output;
        EXPECT_EQ(Band(output, 2).GetFrequency(), 2000) << output;
    }
    EXPECT_EQ(Row(2).Frequency().text(), QStringLiteral("2000"));
    EXPECT_EQ(Row(2).Frequency().MaxCode(), 2000);
}

TEST_F(OutputPageTest, UnlinkedOutputsKeepTheirOwnBands) {
    TypeAndLeave(Row(1).Gain(), "4");
    EXPECT_EQ(Band(OutputKind::kMainLeft, 1).GetGainIndex(), 240);
    EXPECT_EQ(Band(OutputKind::kMainRight, 1).GetGainIndex(), 200);
    EXPECT_FALSE(Band(OutputKind::kMainRight, 1).IsDirty());
}

TEST_F(OutputPageTest, AHighPassTypedAboveTheLowPassShowsTheLowPassFrequency) {
    LinkMainPair();
    TypeAndLeave(Crossover(CrossoverSide::LowPass).Frequency(), "2500");
    TypeAndLeave(Crossover(CrossoverSide::HighPass).Frequency(), "3000");
    EXPECT_EQ(Program().GetOutput(OutputKind::kMainLeft).GetHighPass().GetFrequency(), 2500);
    EXPECT_EQ(Program().GetOutput(OutputKind::kMainRight).GetHighPass().GetFrequency(), 2500);
    EXPECT_EQ(Crossover(CrossoverSide::HighPass).Frequency().text(), QStringLiteral("2500"));

    // And the other way round: a low-pass below the high-pass is raised to it.
    TypeAndLeave(Crossover(CrossoverSide::LowPass).Frequency(), "100");
    EXPECT_EQ(Program().GetOutput(OutputKind::kMainLeft).GetLowPass().GetFrequency(), 2500);
    EXPECT_EQ(Crossover(CrossoverSide::LowPass).Frequency().text(), QStringLiteral("2500"));
    EXPECT_TRUE(services_.Messages().empty());
}

TEST_F(OutputPageTest, FamilyAndSlopeDropDownsMarkTheFilterForSendingOnBothLinkedOutputs) {
    LinkMainPair();
    services_.EditProgram([](CAudio_Data& program) { program.ClearPendingChanges(); });
    QSignalSpy redraws(&page_.Crossover(), &OutputCrossoverSection::Edited);

    Choose(Crossover(CrossoverSide::HighPass).Family(), FilterFamily::kBessel);
    Choose(Crossover(CrossoverSide::LowPass).Slope(), 2);
    for (const int output : {OutputKind::kMainLeft, OutputKind::kMainRight}) {
        CAudio_OutData& shown = Program().GetOutput(output);
        EXPECT_EQ(shown.GetHighPass().GetFamily(), FilterFamily::kBessel) << output;
        EXPECT_TRUE(shown.GetHighPass().IsDirty()) << output;
        EXPECT_EQ(shown.GetLowPass().GetSlope(), 2) << output;
        EXPECT_TRUE(shown.GetLowPass().IsDirty()) << output;
        EXPECT_EQ(shown.GetChain().EncodeCrossover()[2], FilterFamily::kBessel) << output;
    }
    EXPECT_FALSE(Program().GetOutput(OutputKind::kCentre).GetHighPass().IsDirty());
    EXPECT_EQ(redraws.count(), 2);

    // Choosing what is already chosen sends nothing again.
    services_.EditProgram([](CAudio_Data& program) { program.ClearPendingChanges(); });
    Choose(Crossover(CrossoverSide::HighPass).Family(), FilterFamily::kBessel);
    EXPECT_FALSE(Program().GetOutput(OutputKind::kMainLeft).GetHighPass().IsDirty());
}

TEST_F(OutputPageTest, FamilyNamesFollowTheLanguageAndKeepTheSelection) {
    Choose(Crossover(CrossoverSide::LowPass).Family(), FilterFamily::kButterworth);
    const struct {
        Language language;
        QStringList names;
        QString allBypass;
    } cases[] = {
        {Language::English,
         {QStringLiteral("Lin_Ril"), QStringLiteral("Bessel"), QStringLiteral("ButterW")},
         QStringLiteral("All Bypass")},
        {Language::Chinese,
         {QStringLiteral("宁克"), QStringLiteral("贝赛尔"), QStringLiteral("巴特沃斯")},
         QStringLiteral("总旁路")},
    };
    for (const auto& c : cases) {
        // The view relabels only the main page; this page takes the language when refreshed.
        services_.base.language = c.language;
        page_.Refresh();
        for (const CrossoverSide side : {CrossoverSide::HighPass, CrossoverSide::LowPass}) {
            QComboBox& family = Crossover(side).Family();
            QStringList names;
            for (int i = 0; i < family.count(); ++i) {
                names << family.itemText(i);
            }
            EXPECT_EQ(names, c.names);
        }
        EXPECT_EQ(Crossover(CrossoverSide::LowPass).Family().currentIndex(),
                  FilterFamily::kButterworth);
        EXPECT_EQ(page_.Equaliser().AllBypassSwitch().text(), c.allBypass);
    }
    QComboBox& slope = Crossover(CrossoverSide::HighPass).Slope();
    ASSERT_EQ(slope.count(), 4);
    EXPECT_EQ(slope.itemText(0), QStringLiteral("12dB/Oct"));
    EXPECT_EQ(slope.itemText(3), QStringLiteral("48dB/Oct"));
}

TEST_F(OutputPageTest, AllBypassOnANewProgramStaysOnAndChangesNothingLinked) {
    LinkMainPair();
    services_.EditProgram([](CAudio_Data& program) { program.ClearPendingChanges(); });
    QAbstractButton& allBypass = page_.Equaliser().AllBypassSwitch();
    EXPECT_TRUE(allBypass.isChecked());
    allBypass.click();
    EXPECT_TRUE(allBypass.isChecked());
    for (int band = 0; band < CAudio_OutData::kBandCount; ++band) {
        EXPECT_EQ(Band(OutputKind::kMainLeft, band).GetBypassState(), 1) << band;
        EXPECT_FALSE(Band(OutputKind::kMainRight, band).IsDirty()) << band;
    }
}

TEST_F(OutputPageTest, AllBypassSwitchesTheRowsAndTheLinkedOutput) {
    LinkMainPair();
    QAbstractButton& allBypass = page_.Equaliser().AllBypassSwitch();
    TypeAndLeave(Row(1).Gain(), "3");
    EXPECT_FALSE(allBypass.isChecked());
    EXPECT_FALSE(Row(1).Bypass().isChecked());

    allBypass.click();
    EXPECT_TRUE(allBypass.isChecked());
    EXPECT_TRUE(Row(1).Bypass().isChecked());
    EXPECT_EQ(Row(1).Gain().text(), QStringLiteral("0.0"));
    EXPECT_EQ(Band(OutputKind::kMainRight, 1).GetBypassState(), 1);

    allBypass.click();
    EXPECT_FALSE(allBypass.isChecked());
    EXPECT_EQ(Row(1).Gain().text(), QStringLiteral("3.0"));
    EXPECT_EQ(Band(OutputKind::kMainRight, 1).GetGainIndex(), 230);
}

class OutputPageGraphTest : public OutputPageTest {
  protected:
    OutputPageGraphTest() {
        LinkMainPair();
        page_.Graph().SetNoticePeriod(20);
    }

    // Drags the marker of element `element` of the shown output by `by` and
    // waits for the page to hear of it.
    void DragElement(int output, int element, QPoint by) {
        CFStatic& graph = page_.Graph();
        const QPoint from =
            CentreOf(Program().GetOutput(output).GetChain().GetElement(element).GetMarkerRect());
        QSignalSpy notices(&graph, &CFStatic::ElementChanged);
        DragPointer(graph, from, from + by);
        ASSERT_TRUE(notices.wait(2000));
        ASSERT_EQ(notices.at(0).at(0).toInt(), element);
    }
};

TEST_F(OutputPageGraphTest, ADraggedBandReachesItsRowAndTheLinkedOutput) {
    DragElement(OutputKind::kMainLeft, 3, {60, -40});
    const CFilter& dragged = Band(OutputKind::kMainLeft, 3);
    ASSERT_NE(dragged.GetFrequency(), 631);
    ASSERT_NE(dragged.GetGainIndex(), 200);
    EXPECT_EQ(Band(OutputKind::kMainRight, 3).GetFrequency(), dragged.GetFrequency());
    EXPECT_EQ(Band(OutputKind::kMainRight, 3).GetBandwidthIndex(), dragged.GetBandwidthIndex());
    EXPECT_EQ(Band(OutputKind::kMainRight, 3).GetGainIndex(), dragged.GetGainIndex());
    EXPECT_TRUE(Band(OutputKind::kMainRight, 3).IsDirty());
    EXPECT_EQ(Row(3).Frequency().text(), QString::number(dragged.GetFrequency()));
    EXPECT_TRUE(Row(3).IsHighlighted());
    EXPECT_FALSE(page_.Equaliser().AllBypassSwitch().isChecked());
    EXPECT_EQ(Band(OutputKind::kCentre, 3).GetFrequency(), 631);
}

TEST_F(OutputPageGraphTest, ADraggedLowPassReachesItsBoxAndTheLinkedOutput) {
    DragElement(OutputKind::kMainLeft, CAudio_OutData::kBandCount + 1, {-300, 0});
    const int frequency = Program().GetOutput(OutputKind::kMainLeft).GetLowPass().GetFrequency();
    ASSERT_LT(frequency, 20000);
    EXPECT_EQ(Crossover(CrossoverSide::LowPass).Frequency().text(), QString::number(frequency));
    EXPECT_EQ(Program().GetOutput(OutputKind::kMainRight).GetLowPass().GetFrequency(), frequency);
}

// Closing a shown page moves the focus out of its focused box, which commits
// the box while the page itself is already being destroyed.
TEST(OutputPageLifetimeTest, ClosingThePageWhileABoxHasTheFocusIsSafe) {
    FakePageServices services;
    auto page = std::make_unique<OutputPage>(services);
    page->resize(1000, 900);
    page->show();
    page->ShowChannel(&services.Program(), OutputKind::kMainLeft);
    page->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(page.get(), 1000));
    for (CNumEdit* box : {&page->Crossover().Row(CrossoverSide::HighPass).Frequency(),
                          &page->Equaliser().Table().Row(0).Frequency()}) {
        box->setFocus();
        ASSERT_TRUE(box->hasFocus());
    }
    page.reset();
    EXPECT_EQ(services.Program().GetOutput(OutputKind::kMainLeft).GetHighPass().GetFrequency(), 20);
}

TEST(OutputPageViewTest, EveryOutputButtonShowsItsOutputOnTheOnePage) {
    ShellTestRig rig;
    const auto press = [&](int page) {
        QTest::mouseClick(rig.view.PageButtonRow()->Button(page), Qt::LeftButton);
        return dynamic_cast<OutputPage*>(rig.view.CurrentPageWidget());
    };
    OutputPage* centre = press(6);
    ASSERT_NE(centre, nullptr);
    EXPECT_EQ(centre->Output(), OutputKind::kCentre);
    EXPECT_EQ(centre->Program(), &rig.document.Program());
    EXPECT_FALSE(centre->Equaliser().Table().Row(5).isVisibleTo(centre));

    OutputPage* mainLeft = press(4);
    EXPECT_EQ(mainLeft, centre);
    EXPECT_EQ(mainLeft->Output(), OutputKind::kMainLeft);
    EXPECT_TRUE(mainLeft->Equaliser().Table().Row(5).isVisibleTo(mainLeft));
}

}  // namespace
