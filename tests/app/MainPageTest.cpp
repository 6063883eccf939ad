// SPDX-License-Identifier: GPL-3.0-or-later
// The main page: block buttons open their pages, effect-group buttons choose
// the group locally and read it when connected, scene buttons recall their
// preset only when connected; texts follow the language.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>

#include "FakePageServices.h"
#include "ShellTestRig.h"
#include "app/dialogs/ProgressWindow.h"
#include "app/pages/MainPage.h"
#include "model/ChannelIndex.h"
#include "protocol/Frame.h"

namespace {

class MainPageTest : public ::testing::Test {
  protected:
    MainPageTest() : page_(services_) { page_.ShowChannel(&services_.Program(), 0); }

    void Press(int controlId) {
        QPushButton* button = page_.Button(controlId);
        ASSERT_NE(button, nullptr) << "control " << controlId;
        QTest::mouseClick(button, Qt::LeftButton);
    }

    FakePageServices services_;
    MainPage page_;
};

TEST_F(MainPageTest, EveryBlockButtonOpensItsPage) {
    struct Case {
        int controlId;
        int page;
    };
    std::vector<Case> cases = {{4004, 1}, {4003, 3}, {1945, 2}, {2335, 2}};
    for (int row = 0; row < 6; ++row) {
        // The three buttons of a row, and the row's button in the column beside them.
        for (int first : {4010, 4016, 4028, 5424}) {
            cases.push_back({first + row, 4 + row});
        }
    }
    for (const Case& c : cases) {
        services_.selectedPages.clear();
        Press(c.controlId);
        EXPECT_EQ(services_.selectedPages, std::vector<int>{c.page}) << "control " << c.controlId;
    }
    EXPECT_TRUE(services_.Messages().empty());
    EXPECT_EQ(services_.edits, 0) << "the page edits no parameter";
}

TEST_F(MainPageTest, EffectGroupWithoutLinkSetsTheCodesLocallyAndOnlyShowsTheMessage) {
    services_.Disconnect();
    for (int group = 1; group <= 4; ++group) {
        const int code = 2 * group;
        Press(5430 + group - 1);
        const CAudio_Data& program = services_.Program();
        EXPECT_EQ(program.GetEffect().GetEffectMode(), code) << "group " << group;
        EXPECT_TRUE(program.GetEffect().IsModeChanged());
        for (int index = 0; index < 4; ++index) {
            EXPECT_EQ(program.GetInput(InputChannel::kMicrophone).GetEffectCode(index), code)
                << "group " << group << " code " << index;
        }
        EXPECT_EQ(program.GetInput(0).GetEffectCode(0), 0) << "only the microphone changes";
        ASSERT_EQ(services_.Messages().size(), static_cast<size_t>(group));
        EXPECT_EQ(services_.Messages().back().text,
                  QStringLiteral("You didn't go online, online!"));
    }
    EXPECT_TRUE(services_.QueuedFrames().empty());
    EXPECT_TRUE(services_.Calls().empty()) << "no effect group read is started";
}

TEST_F(MainPageTest, EffectGroupWhenConnectedReadsItsDeviceGroup) {
    const int deviceGroups[] = {22, 24, 26, 28};
    for (int group = 1; group <= 4; ++group) {
        Press(5430 + group - 1);
        const std::vector<std::vector<uint8_t>> frames = services_.QueuedFrames();
        ASSERT_EQ(frames.size(), static_cast<size_t>(group));
        const std::vector<uint8_t>& frame = frames.back();
        ASSERT_EQ(frame.size(), 22u);
        // Command, sub-command 3, A = device group, B = 0, C = 0xFF.
        EXPECT_EQ(std::vector<uint8_t>(frame.begin() + 5, frame.begin() + 10),
                  (std::vector<uint8_t>{0xA4, 0x03, static_cast<uint8_t>(deviceGroups[group - 1]),
                                        0x00, 0xFF}))
            << "group " << group;
        EXPECT_EQ(services_.Program().GetEffect().GetEffectMode(), 2 * group);
        EXPECT_EQ(services_.Program().GetInput(InputChannel::kMicrophone).GetEffectCode(3),
                  2 * group);
    }
    EXPECT_TRUE(services_.Messages().empty());
    EXPECT_TRUE(services_.base.transfers.IsTransferActive());
}

TEST_F(MainPageTest, SceneButtonsRecallTheirSystemGroupOnlyWhenConnected) {
    const int presetSlots[] = {11, 13, 15, 17};
    const char* names[] = {"SROOM.1", "MROOM.1", "BROOM.1", "BHALL.1"};
    for (int scene = 0; scene < 4; ++scene) {
        EXPECT_EQ(page_.Button(2166 + scene)->text(), QString::fromUtf8(names[scene]));
        Press(2166 + scene);
        const std::vector<std::vector<uint8_t>> frames = services_.QueuedFrames();
        ASSERT_EQ(frames.size(), static_cast<size_t>(scene + 1));
        EXPECT_EQ(frames.back()[5], Command::kRecallPreset);
        EXPECT_EQ(frames.back()[7], presetSlots[scene]) << "scene " << scene;
    }
    EXPECT_TRUE(services_.Messages().empty());

    FakePageServices offline;
    offline.Disconnect();
    MainPage page(offline);
    for (int scene = 0; scene < 4; ++scene) {
        QTest::mouseClick(page.Button(2166 + scene), Qt::LeftButton);
    }
    EXPECT_EQ(offline.Messages().size(), 4u);
    EXPECT_TRUE(offline.QueuedFrames().empty());
    EXPECT_EQ(offline.edits, 0);
}

TEST_F(MainPageTest, DecliningWhatASceneOrEffectGroupReplacesChangesNothing) {
    services_.agreesToReplace = false;
    const uint8_t effectMode = services_.Program().GetEffect().GetEffectMode();
    Press(5431);
    Press(2166);
    EXPECT_EQ(services_.Calls(),
              (std::vector<std::string>{"ReadEffectGroup 24", "RecallScene 11"}));
    EXPECT_TRUE(services_.QueuedFrames().empty());
    EXPECT_EQ(services_.Program().GetEffect().GetEffectMode(), effectMode) << "not even locally";
    EXPECT_EQ(services_.edits, 0);
}

TEST_F(MainPageTest, RelabelSwitchesTheButtonsAndTheMessage) {
    EXPECT_EQ(page_.Button(5432)->text(), QStringLiteral("Effect 3"));
    services_.base.language = Language::Chinese;
    page_.Relabel(Language::Chinese);
    EXPECT_EQ(page_.Button(5432)->text(), QStringLiteral("效果 3"));
    EXPECT_EQ(page_.Button(2168)->text(), QStringLiteral("大房一"));
    services_.Disconnect();
    Press(5432);
    ASSERT_EQ(services_.Messages().size(), 1u);
    EXPECT_EQ(services_.Messages().back().text, QStringLiteral("您没有联机,请联机!"));
}

TEST(MainPageViewTest, EffectGroupReplyFromTheDeviceReplacesTheEffectData) {
    ShellTestRig rig;
    ASSERT_TRUE(rig.ConnectOverNetwork());
    ASSERT_TRUE(RunUntil([&] { return !rig.view.Progress()->isVisible(); }));
    auto* page = qobject_cast<MainPage*>(rig.view.PageWidget(PageSlot::Main));
    ASSERT_NE(page, nullptr);

    page->Button(5431)->click();
    EXPECT_TRUE(rig.view.Progress()->isVisible());
    ASSERT_TRUE(RunUntil([&] { return !rig.view.Progress()->isVisible(); }));

    const devsim::EffectRecord expected = devsim::MakeEffectGroupRecord(24);
    const CAudio_EffectData& effect = rig.document.Program().GetEffect();
    for (int index = 0; index < 16; ++index) {
        if (index == 6) {
            continue;  // the output level is limited to the effect's maximum volume
        }
        EXPECT_EQ(effect.GetEffectParam(index), expected[static_cast<size_t>(index)])
            << "parameter " << index;
    }
    EXPECT_EQ(effect.GetEffectMode(), 4) << "the reply does not touch the mode chosen locally";
    EXPECT_EQ(rig.document.Program().GetInput(InputChannel::kMicrophone).GetEffectCode(0), 4);
    EXPECT_TRUE(rig.messages.shown.empty());
}

}  // namespace
