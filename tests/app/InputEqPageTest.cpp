// SPDX-License-Identifier: GPL-3.0-or-later
// The input EQ page against a real program: edits of the music page reach
// both music channels, the rows follow the model where it refuses an edit,
// graph drags refresh the rows, and the microphone's crossover
// frequencies may not cross.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "FakePageServices.h"
#include "app/graph/FStatic.h"
#include "app/pages/EqBandTable.h"
#include "app/pages/EqBandTableRow.h"
#include "app/pages/InputEqCrossover.h"
#include "app/pages/InputEqEdits.h"
#include "app/pages/InputEqPage.h"
#include "app/widgets/NumEdit.h"
#include "curves/ResponseKinds.h"

namespace {

void TypeAndLeave(CNumEdit& box, const QString& text) {
    box.selectAll();
    QTest::keyClicks(&box, text);
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(&box, &leave);
}

void ChooseKind(EqBandTableRow& row, int kind) {
    row.Kind().setCurrentIndex(kind);
    emit row.Kind().activated(kind);
}

class InputEqPageTest : public testing::Test {
  protected:
    InputEqPageTest() {
        page.resize(1000, 700);
        page.show();
        ClearDirty();
    }

    void Show(int channel) { page.ShowChannel(&Program(), channel); }
    CAudio_Data& Program() { return services.Program(); }
    CFilter& Band(int channel, int band) { return Program().GetInput(channel).GetBand(band); }
    EqBandTableRow& Row(int row) { return page.Bands().Row(row); }
    void ClearDirty() {
        for (int channel = 0; channel < 3; ++channel) {
            CEQ& chain = Program().GetInput(channel).GetChain();
            for (int i = 0; i < chain.GetCount(); ++i) {
                chain.GetElement(i).SetDirty(0);
            }
        }
    }

    FakePageServices services;
    InputEqPage page{services};
};

TEST_F(InputEqPageTest, MusicEditsReachBothMusicChannelsAndMarkThemForSending) {
    Show(InputChannel::kMusicLeft);
    ClearDirty();
    // Band 3 at 54 Hz becomes a high shelf, which cannot sit below 2000 Hz.
    ChooseKind(Row(2), ElementType::kHighShelf);
    for (int channel : {InputChannel::kMusicLeft, InputChannel::kMusicRight}) {
        EXPECT_EQ(Band(channel, 2).GetType(), ElementType::kHighShelf) << "channel " << channel;
        EXPECT_EQ(Band(channel, 2).GetFrequency(), 2000) << "channel " << channel;
        EXPECT_TRUE(Band(channel, 2).IsDirty()) << "channel " << channel;
    }
    EXPECT_FALSE(Band(InputChannel::kMicrophone, 2).IsDirty());
    EXPECT_EQ(Row(2).Frequency().MinCode(), 2000);
    EXPECT_EQ(Row(2).Frequency().MaxCode(), 20000);
    EXPECT_FALSE(Row(2).Bandwidth().isVisibleTo(&page));
    EXPECT_TRUE(Row(2).Slope().isVisibleTo(&page));
    EXPECT_TRUE(Row(2).IsHighlighted());
    EXPECT_FALSE(Row(0).IsHighlighted());

    TypeAndLeave(Row(2).Gain(), "3.5");
    EXPECT_EQ(Band(InputChannel::kMusicRight, 2).GetGainIndex(), 235);
    EXPECT_FALSE(Row(2).Bypass().isChecked());
}

TEST_F(InputEqPageTest, MicrophoneEditsStayOnTheMicrophone) {
    Show(InputChannel::kMicrophone);
    ClearDirty();
    Band(InputChannel::kMicrophone, 1).SetFrequency(5000);
    page.Refresh();
    ChooseKind(Row(1), ElementType::kLowShelf);
    EXPECT_EQ(Band(InputChannel::kMicrophone, 1).GetFrequency(), 2000);
    EXPECT_EQ(Row(1).Frequency().text(), QStringLiteral("2000"));
    EXPECT_EQ(Row(1).Frequency().MaxCode(), 2000);
    EXPECT_EQ(Row(1).Frequency().MinCode(), 20);
    EXPECT_FALSE(Band(InputChannel::kMusicLeft, 1).IsDirty());
    EXPECT_FALSE(Band(InputChannel::kMusicRight, 1).IsDirty());
}

TEST_F(InputEqPageTest, ZeroGainBypassesTheBandAndTheBoxCannotUntickIt) {
    Show(InputChannel::kMicrophone);
    TypeAndLeave(Row(0).Gain(), "4");
    EXPECT_FALSE(Row(0).Bypass().isChecked());
    TypeAndLeave(Row(0).Gain(), "0");
    EXPECT_TRUE(Row(0).Bypass().isChecked());

    Row(0).Bypass().click();
    EXPECT_TRUE(Row(0).Bypass().isChecked());
    EXPECT_EQ(Band(InputChannel::kMicrophone, 0).GetBypassState(), 1);
}

TEST_F(InputEqPageTest, BypassBoxKeepsTheGainOfABypassedBand) {
    Show(InputChannel::kMicrophone);
    TypeAndLeave(Row(0).Gain(), "3");
    Row(0).Bypass().click();
    EXPECT_EQ(Row(0).Gain().text(), QStringLiteral("0.0"));

    // Leaving the gain box, which shows 0.0, must not make 0 dB the real gain.
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(&Row(0).Gain(), &leave);
    Row(0).Bypass().click();
    EXPECT_FALSE(Row(0).Bypass().isChecked());
    EXPECT_EQ(Row(0).Gain().text(), QStringLiteral("3.0"));
    EXPECT_EQ(Band(InputChannel::kMicrophone, 0).GetGainIndex(), 230);
}

TEST_F(InputEqPageTest, CrossoverFrequenciesThatWouldCrossAreRefused) {
    Show(InputChannel::kMicrophone);
    EXPECT_TRUE(page.Crossover().isVisibleTo(&page));
    TypeAndLeave(page.Crossover().LowPass(), "4000");
    TypeAndLeave(page.Crossover().HighPass(), "300");
    EXPECT_EQ(Program().GetInput(InputChannel::kMicrophone).GetLowPass().GetFrequency(), 4000);
    EXPECT_EQ(Program().GetInput(InputChannel::kMicrophone).GetHighPass().GetFrequency(), 300);

    TypeAndLeave(page.Crossover().HighPass(), "5000");
    EXPECT_EQ(Program().GetInput(InputChannel::kMicrophone).GetHighPass().GetFrequency(), 300);
    EXPECT_EQ(page.Crossover().HighPass().text(), QStringLiteral("300"));
    TypeAndLeave(page.Crossover().LowPass(), "200");
    EXPECT_EQ(Program().GetInput(InputChannel::kMicrophone).GetLowPass().GetFrequency(), 4000);
    EXPECT_EQ(page.Crossover().LowPass().text(), QStringLiteral("4000"));

    Show(InputChannel::kMusicLeft);
    EXPECT_FALSE(page.Crossover().isVisibleTo(&page));
}

TEST_F(InputEqPageTest, GraphDragRefreshesAndHighlightsTheBandsRow) {
    Show(InputChannel::kMusicLeft);
    CFStatic& graph = page.Graph();
    graph.SetNoticePeriod(20);
    QSignalSpy notices(&graph, &CFStatic::ElementChanged);
    const PixelRect marker = Band(InputChannel::kMusicLeft, 10).GetMarkerRect();
    const QPoint start{(marker.left + marker.right) / 2, (marker.top + marker.bottom) / 2};
    DragPointer(graph, start, start + QPoint(-40, -60));
    ASSERT_TRUE(notices.wait(1000));
    ASSERT_EQ(notices.at(0).at(0).toInt(), 10);

    // Band 11 has its own row; its boxes show the dragged band.
    const CFilter& dragged = Band(InputChannel::kMusicLeft, 10);
    EXPECT_NE(dragged.GetFrequency(), 4552);
    EXPECT_EQ(Row(10).Number().text(), QStringLiteral("11"));
    EXPECT_EQ(Row(10).Frequency().text(), QString::number(dragged.GetFrequency()));
    EXPECT_EQ(Row(10).Gain().GetValue(), dragged.GetGainIndex());
    EXPECT_EQ(page.Bands().HighlightedRow(), 10);
    // The other music channel follows the drag.
    EXPECT_EQ(Band(InputChannel::kMusicRight, 10).GetFrequency(), dragged.GetFrequency());
    EXPECT_EQ(Band(InputChannel::kMusicRight, 10).GetGainIndex(), dragged.GetGainIndex());
    EXPECT_TRUE(Band(InputChannel::kMusicRight, 10).IsDirty());
}

// A program saved while the table scrolled still opens with bands 1..13 in
// their rows, and the stored position goes back out as it came in.
TEST_F(InputEqPageTest, EveryReachableBandHasARowWhateverTheStoredFirstBand) {
    Program().GetInput(InputChannel::kMicrophone).SetFirstBandShown(6);
    Show(InputChannel::kMicrophone);
    EXPECT_EQ(page.Bands().ScrollBar(), nullptr);
    ASSERT_EQ(page.Bands().RowCount(), 13);
    for (int row = 0; row < 13; ++row) {
        EXPECT_TRUE(Row(row).isVisibleTo(&page)) << row;
        EXPECT_EQ(Row(row).Number().text(), QString::number(row + 1));
    }
    EXPECT_EQ(Program().GetInput(InputChannel::kMicrophone).GetFirstBandShown(), 6);
}

TEST_F(InputEqPageTest, AllBypassSwitchesBothMusicChannelsAndFollowsTheModel) {
    Show(InputChannel::kMusicLeft);
    // A new program's bands are all bypassed by their 0 dB gains.
    EXPECT_TRUE(page.AllBypass().isChecked());
    page.AllBypass().click();
    EXPECT_TRUE(page.AllBypass().isChecked());

    TypeAndLeave(Row(0).Gain(), "3");
    EXPECT_FALSE(page.AllBypass().isChecked());
    page.AllBypass().click();
    EXPECT_TRUE(page.AllBypass().isChecked());
    EXPECT_TRUE(Row(0).Bypass().isChecked());
    EXPECT_EQ(Row(0).Gain().text(), QStringLiteral("0.0"));
    EXPECT_EQ(Program().GetInput(InputChannel::kMusicRight).UpdateAllBypassed(), 1);

    page.AllBypass().click();
    EXPECT_FALSE(page.AllBypass().isChecked());
    EXPECT_EQ(Row(0).Gain().text(), QStringLiteral("3.0"));
    EXPECT_EQ(Band(InputChannel::kMusicRight, 0).GetGainIndex(), 230);
}

TEST_F(InputEqPageTest, RelabelChangesTheSwitchAndKeepsTheKindNames) {
    Show(InputChannel::kMusicLeft);
    page.Relabel(Language::English);
    EXPECT_EQ(page.AllBypass().text(), QStringLiteral("All Bypass"));
    EXPECT_EQ(Row(0).Kind().itemText(1), QStringLiteral("Lo_EQ"));
    page.Relabel(Language::Chinese);
    EXPECT_EQ(page.AllBypass().text(), QStringLiteral("总旁路"));
    EXPECT_EQ(Row(0).Kind().itemText(2), QStringLiteral("Hi_EQ"));
}

TEST(InputEqEditsTest, DraggedMusicBandIsCopiedWholeIncludingABypassedGain) {
    CAudio_Data program;
    CFilter& dragged = program.GetInput(InputChannel::kMusicLeft).GetBand(4);
    dragged.SetGainIndex(230);
    dragged.SetBypass(1);
    dragged.SetFrequency(700);
    FollowDraggedInputBand(program, InputChannel::kMusicLeft, 4);
    CFilter& follower = program.GetInput(InputChannel::kMusicRight).GetBand(4);
    EXPECT_EQ(follower.GetFrequency(), 700);
    EXPECT_EQ(follower.GetBypassState(), 1);
    EXPECT_TRUE(follower.IsDirty());
    follower.SetBypass(0);
    EXPECT_EQ(follower.GetGainIndex(), 230);
}

}  // namespace
