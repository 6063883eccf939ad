// SPDX-License-Identifier: GPL-3.0-or-later
// The view without a link: page selection, the mode and feedback buttons, the
// volume strip's writes, the help file and output linking.
#include <gtest/gtest.h>

#include <QLabel>
#include <QSlider>

#include "ShellTestRig.h"
#include "app/ModeButtons.h"
#include "app/OutputLinking.h"
#include "app/PageButtons.h"
#include "app/ShellTexts.h"
#include "app/VolumeStrip.h"
#include "app/dialogs/ProgressWindow.h"
#include "app/dialogs/SetupSliderField.h"
#include "app/pages/InputEqPage.h"
#include "app/pages/OutputLevelSection.h"
#include "app/pages/OutputPage.h"
#include "app/widgets/NumEdit.h"

namespace {

void PressPage(CAudioView& view, int page) {
    QTest::mouseClick(view.PageButtonRow()->Button(page), Qt::LeftButton);
}

TEST(PageTargetTest, MapsEveryPageToItsWidgetAndChannel) {
    struct Case {
        int page;
        PageSlot slot;
        int channel;
    };
    const Case cases[] = {{0, PageSlot::Main, 0},     {1, PageSlot::InputEq, 0},
                          {2, PageSlot::EffectEq, 0}, {3, PageSlot::InputEq, 2},
                          {4, PageSlot::Output, 0},   {9, PageSlot::Output, 5}};
    for (const Case& c : cases) {
        const PageTarget target = PageTargetOf(c.page);
        EXPECT_EQ(target.slot, c.slot) << "page " << c.page;
        EXPECT_EQ(target.channel, c.channel) << "page " << c.page;
    }
}

TEST(ViewPagesTest, InputEqPageIsReusedForTheOtherChannel) {
    ShellTestRig rig;
    PressPage(rig.view, 3);
    auto* inputEq = dynamic_cast<InputEqPage*>(rig.view.PageWidget(PageSlot::InputEq));
    ASSERT_NE(inputEq, nullptr);
    EXPECT_EQ(rig.view.CurrentPageWidget(), inputEq);
    EXPECT_EQ(inputEq->Channel(), 2);
    EXPECT_EQ(inputEq->Program(), &rig.document.Program());

    PressPage(rig.view, 1);
    EXPECT_EQ(rig.view.CurrentPageWidget(), inputEq);
    EXPECT_EQ(inputEq->Channel(), 0);
    EXPECT_EQ(rig.state.currentPage, 1);
    EXPECT_EQ(rig.state.pageChannel, 0);
    EXPECT_TRUE(rig.view.PageButtonRow()->Button(1)->isChecked());
    EXPECT_FALSE(rig.view.PageButtonRow()->Button(3)->isChecked());
}

TEST(ViewPagesTest, CurrentPageButtonDoesNothing) {
    ShellTestRig rig;
    PressPage(rig.view, 7);
    auto* output = dynamic_cast<OutputPage*>(rig.view.PageWidget(PageSlot::Output));
    ASSERT_NE(output, nullptr);
    // Changed behind the page's back: a refresh would show it.
    rig.document.Program().GetOutput(3).SetGain(45);
    PressPage(rig.view, 7);
    EXPECT_EQ(output->Levels().GainField()->Box()->text(), QStringLiteral("0"));
    EXPECT_EQ(output->Output(), 3);
    // A click on a checkable button would unpress it; the current page stays drawn pressed.
    EXPECT_TRUE(rig.view.PageButtonRow()->Button(7)->isChecked());
}

TEST(ViewPagesTest, AutomaticModeKeepsOutputPagesClosed) {
    ShellTestRig rig;
    rig.system.SetByte(SystemByte::kOperatingMode, 1);
    PressPage(rig.view, 6);
    EXPECT_EQ(rig.state.currentPage, 0);
    ASSERT_EQ(rig.messages.shown.size(), 1u);
    EXPECT_EQ(rig.messages.shown[0], QStringLiteral("自动模式"));
    EXPECT_FALSE(rig.view.PageButtonRow()->Button(6)->isChecked());
    EXPECT_TRUE(rig.view.PageButtonRow()->Button(0)->isChecked());

    PressPage(rig.view, 2);
    EXPECT_EQ(rig.state.currentPage, 2);
}

TEST(ViewPagesTest, WritingTheOperatingModeLeavesAnOutputPage) {
    ShellTestRig rig;
    rig.view.SelectPage(5);
    rig.view.WriteSystemItem(SystemItem::kOperatingMode);
    EXPECT_EQ(rig.state.currentPage, 0);
}

TEST(ModeButtonsTest, SourceModeCyclesThroughFourStates) {
    ShellTestRig rig;
    const QString expected[] = {"VOD", "BGM", "AUTO", "DVD"};
    const uint8_t bytes[] = {1, 2, 3, 0};
    for (int press = 0; press < 4; ++press) {
        QTest::mouseClick(rig.view.Modes()->ModeButton(), Qt::LeftButton);
        EXPECT_EQ(rig.system.Byte(SystemByte::kSourceMode), bytes[press]);
        EXPECT_EQ(rig.view.Modes()->ModeButton()->text(), expected[press]);
    }
}

TEST(ModeButtonsTest, FeedbackModeCyclesThroughFiveStatesOnTheMicrophone) {
    ShellTestRig rig;
    const QString expected[] = {"FBX1", "FBX2", "FBX3", "FBX4", "关闭"};
    for (int press = 0; press < 5; ++press) {
        QTest::mouseClick(rig.view.Modes()->FeedbackButton(), Qt::LeftButton);
        EXPECT_EQ(rig.document.Program().GetInput(2).GetFeedbackMode(), (press + 1) % 5);
        EXPECT_EQ(rig.view.Modes()->FeedbackButton()->text(), expected[press]);
    }
    EXPECT_EQ(rig.document.Program().GetInput(0).GetFeedbackMode(), 0);
}

TEST(ModeButtonsTest, OutOfRangeValuesStepBackIntoTheCycle) {
    EXPECT_EQ(NextSourceMode(7), 0);
    EXPECT_EQ(NextFeedbackMode(9), 0);
    EXPECT_EQ(SourceModeText(200), QStringLiteral("AUTO"));
    EXPECT_EQ(FeedbackModeText(200), QStringLiteral("FBX4"));
}

TEST(ViewVolumesTest, DisconnectedButtonsChangeTheDisplayButQueueNothing) {
    ShellTestRig rig;
    VolumeStrip* strip = rig.view.Volumes();
    QTest::mouseClick(strip->PlusButton(VolumeChannel::Music), Qt::LeftButton);
    QTest::mouseClick(strip->PlusButton(VolumeChannel::Music), Qt::LeftButton);
    QTest::mouseClick(strip->MinusButton(VolumeChannel::Effect), Qt::LeftButton);
    EXPECT_EQ(rig.system.CurrentVolume(VolumeChannel::Music), 2);
    EXPECT_EQ(strip->Slider(VolumeChannel::Music)->value(), 2);
    EXPECT_EQ(strip->Number(VolumeChannel::Music)->text(), QStringLiteral("2"));
    EXPECT_EQ(rig.view.Device().Engine().Queue().Count(), 0);
}

TEST(ViewHelpTest, OpensTheLanguagesHelpFileOrSaysItIsMissing) {
    ShellTestRig rig;
    std::vector<QString> opened;
    rig.view.SetDocumentOpener([&opened](const QString& path) {
        opened.push_back(path);
        return false;
    });
    QTest::mouseClick(rig.view.HelpButton(), Qt::LeftButton);
    rig.window.SwitchLanguage(Language::English);
    QTest::mouseClick(rig.view.HelpButton(), Qt::LeftButton);
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_TRUE(opened[0].endsWith(QStringLiteral("/CH_Help.html")));
    EXPECT_TRUE(opened[1].endsWith(QStringLiteral("/EN_Help.html")));
    ASSERT_EQ(rig.messages.shown.size(), 2u);
    EXPECT_EQ(rig.messages.shown[0], QStringLiteral("没有发现帮助文件!"));
    EXPECT_EQ(rig.messages.shown[1], QStringLiteral("Not Find Help File"));
}

TEST(ViewHelpTest, DesktopOpenerReportsAMissingFileWithoutStartingAnything) {
    EXPECT_FALSE(DesktopDocumentOpener()(QStringLiteral("/nonexistent/CH_Help.html")));
}

TEST(ViewLinkOutputsTest, LinkedRightOutputTakesTheLeftSettingsAndItsPageCloses) {
    ShellTestRig rig;
    CAudio_Data& program = rig.document.Program();
    program.GetOutput(0).SetGain(123);
    rig.view.SelectPage(5);
    program.GetOutputLinks().SetGroup(0, 0);
    rig.view.LinkOutputs(0, 1);
    EXPECT_EQ(program.GetOutputLinks().GetGroup(1), 0);
    EXPECT_EQ(program.GetOutput(1).GetGain(), 123);
    EXPECT_EQ(rig.state.currentPage, 4);
    // Offline, the copied record is not queued.
    EXPECT_EQ(rig.view.Device().Engine().Queue().Count(), 0);
}

}  // namespace

namespace {

TEST(ViewDialogsTest, PresetAndSetupButtonsOpenTheirDialogsModally) {
    ShellTestRig rig;
    std::vector<QString> opened;
    rig.view.SetModalDialogRunner([&opened](QDialog& dialog) {
        opened.push_back(QString::fromLatin1(dialog.metaObject()->className()));
    });
    QTest::mouseClick(rig.view.PresetGroupButton(0), Qt::LeftButton);
    QTest::mouseClick(rig.view.PresetGroupButton(1), Qt::LeftButton);
    QTest::mouseClick(rig.view.SetupButton(), Qt::LeftButton);
    EXPECT_EQ(opened,
              (std::vector<QString>{"PresetGroupDialog", "PresetGroupDialog", "SetupDialog"}));
}

TEST(ViewDialogsTest, TransfersQueueNothingOffline) {
    ShellTestRig rig;
    rig.view.StoreProgram(0);
    rig.view.RecallPreset(3);
    EXPECT_EQ(rig.view.Device().Engine().Queue().Count(), 0);
    EXPECT_TRUE(rig.messages.shown.empty());
    EXPECT_FALSE(rig.view.Progress()->isVisible());
}

}  // namespace

namespace {

TEST(OutputLinkingTest, TargetCopiesTheFirstOtherMemberOfTheGroup) {
    CAudio_Data program;
    program.GetOutput(4).SetGain(91);
    EXPECT_TRUE(JoinOutputLinkGroup(program, 4, 5));
    EXPECT_EQ(program.GetOutputLinks().GetGroup(5), 4);
    EXPECT_EQ(program.GetOutput(5).GetGain(), 91);

    // Alone in its group, an output has nobody to copy.
    EXPECT_FALSE(JoinOutputLinkGroup(program, 3, 3));
    EXPECT_EQ(program.GetOutputLinks().GetGroup(3), 3);
}

TEST(OutputLinkingTest, OnlyAFollowerPageOfALinkedPairMovesToItsLeader) {
    CAudio_Data program;
    COutputLinkTable& links = program.GetOutputLinks();
    EXPECT_EQ(PageAfterLinking(links, 5), std::nullopt);
    links.SetGroup(1, 0);
    links.SetGroup(5, 4);
    struct Case {
        int page;
        std::optional<int> expected;
    };
    const Case cases[] = {{5, 4}, {9, 8}, {4, std::nullopt}, {8, std::nullopt}, {0, std::nullopt}};
    for (const Case& c : cases) {
        EXPECT_EQ(PageAfterLinking(links, c.page), c.expected) << "page " << c.page;
    }
}

}  // namespace
