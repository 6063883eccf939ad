// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>

#include "FakeDialogServices.h"
#include "app/dialogs/SetupDialog.h"
#include "app/dialogs/SetupOptionSection.h"
#include "app/dialogs/SetupProgramSection.h"
#include "app/dialogs/SetupSliderField.h"
#include "app/dialogs/SetupVolumeRules.h"
#include "app/dialogs/SetupVolumeSection.h"
#include "app/widgets/NumEdit.h"
#include "app/widgets/SpinButtons.h"
#include "protocol/Requests.h"

namespace {

std::string Text(const QString& text) {
    return text.toStdString();
}

// Types `text` over the box's contents and leaves the box, as a user would.
void TypeAndLeave(CNumEdit* box, const char* text) {
    box->selectAll();
    QTest::keyClicks(box, text);
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(box, &leave);
}

class SetupDialogTest : public ::testing::Test {
  protected:
    SetupDialog& Open() {
        dialog_ = std::make_unique<SetupDialog>(services_);
        services_.dialog = dialog_.get();
        dialog_->show();
        return *dialog_;
    }
    void SetVolumes(VolumeChannel channel, uint8_t maximum, uint8_t current, uint8_t start) {
        services_.system.SetMaximumVolume(channel, maximum);
        services_.system.SetCurrentVolume(channel, current);
        services_.system.SetStartVolume(channel, start);
    }
    std::vector<int> WrittenSystemItems() const {
        std::vector<int> items;
        for (const auto& frame : services_.QueuedFrames()) {
            const FrameHeader header = ReadFrameHeader(frame);
            if (header.command == Command::kWrite && header.subCommand == SubCommand::kSystemItem) {
                items.push_back(header.c);
            }
        }
        return items;
    }

    FakeDialogServices services_;
    std::unique_ptr<SetupDialog> dialog_;
};

enum class Move { Slider, Box, Arrow };

struct VolumeRuleCase {
    const char* name;
    VolumeChannel channel;
    bool maximumMoved;
    Move move;
    int target;  // for an arrow, only its direction counts
    int shownMaximum;
    int shownStart;
};

TEST_F(SetupDialogTest, StartVolumeNeverExceedsMaximumWhicheverMovesAndHowever) {
    const VolumeRuleCase cases[] = {
        {"maximum slider below start", VolumeChannel::Effect, true, Move::Slider, 30, 40, 40},
        {"start slider above maximum", VolumeChannel::Effect, false, Move::Slider, 45, 40, 40},
        {"maximum typed below start", VolumeChannel::Microphone, true, Move::Box, 30, 40, 40},
        {"start typed above maximum", VolumeChannel::Music, false, Move::Box, 50, 40, 40},
        {"start arrow up at maximum", VolumeChannel::Music, false, Move::Arrow, 41, 40, 40},
        {"maximum arrow down at start", VolumeChannel::Effect, true, Move::Arrow, 39, 40, 40},
        {"maximum raised freely", VolumeChannel::Effect, true, Move::Slider, 48, 48, 40},
        {"start lowered freely", VolumeChannel::Microphone, false, Move::Box, 12, 40, 12},
    };
    for (const VolumeRuleCase& one : cases) {
        SCOPED_TRACE(one.name);
        SetVolumes(one.channel, 40, 0, 40);
        SetupVolumeSection* volumes = Open().Volumes();
        SetupSliderField* moved = one.maximumMoved ? volumes->MaximumField(one.channel)
                                                   : volumes->StartField(one.channel);
        switch (one.move) {
            case Move::Slider:
                moved->Slider()->setValue(one.target);
                break;
            case Move::Box:
                TypeAndLeave(moved->Box(), std::to_string(one.target).c_str());
                break;
            case Move::Arrow:
                one.target > 40 ? moved->Arrows()->StepUp() : moved->Arrows()->StepDown();
                break;
        }
        for (auto [field, expected] :
             {std::pair{volumes->MaximumField(one.channel), one.shownMaximum},
              std::pair{volumes->StartField(one.channel), one.shownStart}}) {
            EXPECT_EQ(field->Value(), expected);
            EXPECT_EQ(field->Slider()->value(), expected);
            EXPECT_EQ(Text(field->Box()->text()), std::to_string(expected));
        }
    }
}

TEST_F(SetupDialogTest, VolumesMovedButNotAppliedLeaveTheSystemBytesAlone) {
    SetVolumes(VolumeChannel::Effect, 40, 35, 20);
    const auto before = services_.system.Bytes();
    SetupVolumeSection* volumes = Open().Volumes();
    volumes->MaximumField(VolumeChannel::Effect)->Slider()->setValue(30);
    volumes->StartField(VolumeChannel::Music)->Slider()->setValue(7);
    dialog_->reject();

    EXPECT_EQ(services_.system.Bytes(), before);
    EXPECT_TRUE(services_.calls.empty());
    EXPECT_TRUE(services_.QueuedFrames().empty());
}

TEST_F(SetupDialogTest, EnterInAVolumeBoxDoesNotApplyTheVolumes) {
    const auto before = services_.system.Bytes();
    SetupDialog& dialog = Open();
    CNumEdit* box = dialog.Volumes()->StartField(VolumeChannel::Effect)->Box();
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, "5");
    QTest::keyClick(box, Qt::Key_Return);

    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(services_.messages.empty());
    EXPECT_EQ(services_.system.Bytes(), before);
}

TEST_F(SetupDialogTest, ApplyStoresVolumesLowersCurrentOnesAndWritesTheThreeItems) {
    SetVolumes(VolumeChannel::Effect, 50, 45, 10);
    SetVolumes(VolumeChannel::Microphone, 50, 20, 10);
    SetupVolumeSection* volumes = Open().Volumes();
    volumes->MaximumField(VolumeChannel::Effect)->Slider()->setValue(30);
    volumes->StartField(VolumeChannel::Music)->Slider()->setValue(25);
    QTest::mouseClick(volumes->ApplyButton(), Qt::LeftButton);

    const SystemData& system = services_.system;
    EXPECT_EQ(system.MaximumVolume(VolumeChannel::Effect), 30);
    EXPECT_EQ(system.CurrentVolume(VolumeChannel::Effect), 30);
    EXPECT_EQ(system.CurrentVolume(VolumeChannel::Microphone), 20);
    EXPECT_EQ(system.StartVolume(VolumeChannel::Music), 25);
    EXPECT_EQ(services_.calls,
              (std::vector<std::string>{"RefreshVolumes", "WriteSystemItems 7 8 9"}));
    EXPECT_EQ(WrittenSystemItems(), (std::vector<int>{7, 8, 9}));
    EXPECT_TRUE(services_.messages.empty()) << "success waits for the device's answer";
    EXPECT_EQ(Text(services_.LastSuccess()), "Set the volume of success!");
}

TEST_F(SetupDialogTest, ApplyWithoutALinkSaysSoAndChangesOnlyTheEditor) {
    services_.Disconnect();
    services_.language = Language::Chinese;
    SetupVolumeSection* volumes = Open().Volumes();
    volumes->StartField(VolumeChannel::Microphone)->Slider()->setValue(15);
    volumes->Apply();

    EXPECT_EQ(services_.system.StartVolume(VolumeChannel::Microphone), 15);
    EXPECT_TRUE(services_.QueuedFrames().empty());
    ASSERT_EQ(services_.messages.size(), 1u);
    EXPECT_EQ(Text(services_.messages[0].text), "您没有联机,请联机!");
}

TEST_F(SetupDialogTest, VolumeBytesBeyondTheControlsShowAsTheyAreAndApplyUnchanged) {
    SetVolumes(VolumeChannel::Music, 200, 0, 0);
    SetupVolumeSection* volumes = Open().Volumes();
    SetupSliderField* maximum = volumes->MaximumField(VolumeChannel::Music);
    EXPECT_EQ(maximum->Value(), 200);
    EXPECT_EQ(Text(maximum->Box()->text()), "200");
    EXPECT_TRUE(maximum->Box()->IsOutOfRange());
    EXPECT_EQ(maximum->Slider()->value(), kHighestSetupVolume);

    // Applying the volumes must not lower a maximum the user never touched.
    volumes->StartField(VolumeChannel::Music)->Slider()->setValue(10);
    volumes->Apply();
    EXPECT_EQ(services_.system.MaximumVolume(VolumeChannel::Music), 200);
    EXPECT_EQ(services_.system.StartVolume(VolumeChannel::Music), 10);
    EXPECT_TRUE(maximum->Box()->IsOutOfRange());
}

struct OptionCase {
    const char* name;
    bool lock;  // else the mode
    int stored;
    int chosen;
    std::vector<int> written;
};

TEST_F(SetupDialogTest, ChoosingAnOptionWritesItsItemOnlyWhenItChangesTheByte) {
    const OptionCase cases[] = {
        {"mode already sing", false, 0, 0, {}},
        {"mode to auto", false, 0, 1, {SystemItem::kOperatingMode}},
        {"lock already second level", true, 2, 2, {}},
        {"lock to first level", true, 0, 1, {SystemItem::kPanelLock}},
        {"lock to unlocked", true, 2, 0, {SystemItem::kPanelLock}},
    };
    for (const OptionCase& one : cases) {
        SCOPED_TRACE(one.name);
        services_.queue.Clear();
        const int byte = one.lock ? SystemByte::kPanelLock : SystemByte::kOperatingMode;
        services_.system.SetByte(byte, static_cast<uint8_t>(one.stored));
        SetupOptionSection* options = Open().Options();
        QRadioButton* option =
            one.lock ? options->LockOption(one.chosen) : options->ModeOption(one.chosen);
        QRadioButton* loaded =
            one.lock ? options->LockOption(one.stored) : options->ModeOption(one.stored);
        EXPECT_TRUE(loaded->isChecked());
        option->click();

        EXPECT_EQ(services_.system.Byte(byte), one.chosen);
        EXPECT_EQ(WrittenSystemItems(), one.written);
    }
}

struct ProgramValueCase {
    bool noiseGate;  // else the bass attenuation
    uint8_t stored;
    const char* shown;
    int slider;
};

TEST_F(SetupDialogTest, NoiseGateAndBassAttenuationShowTheirDecibels) {
    const ProgramValueCase cases[] = {
        {true, 100, "0dB", 100},  {true, 0, "-100dB", 0},   {true, 37, "-63dB", 37},
        {false, 20, "0.0dB", 20}, {false, 0, "-20.0dB", 0}, {false, 25, "0.0dB", 20},
    };
    for (const ProgramValueCase& one : cases) {
        SCOPED_TRACE(one.shown);
        services_.EditProgram([&](CAudio_Data& program) {
            program.GetEffect().SetEffectParam(EffectParam::kNoiseGate,
                                               one.noiseGate ? one.stored : 0);
            program.GetInput(2).SetBassAttenuation(one.noiseGate ? 0 : one.stored);
        });
        SetupProgramSection* values = Open().ProgramValues();
        SetupSliderField* field =
            one.noiseGate ? values->NoiseGateField() : values->BassAttenuationField();
        EXPECT_EQ(Text(field->Box()->text()), one.shown);
        EXPECT_EQ(field->Slider()->value(), one.slider);
    }
}

TEST_F(SetupDialogTest, NoiseGateAndBassAttenuationGoIntoTheProgramAtOnce) {
    CAudio_EffectData& effect = services_.program.GetEffect();
    effect.SetFirstRowChanged(0);
    SetupProgramSection* values = Open().ProgramValues();
    values->NoiseGateField()->Slider()->setValue(60);
    EXPECT_EQ(effect.GetEffectParam(EffectParam::kNoiseGate), 60);
    EXPECT_NE(effect.IsFirstRowChanged(), 0);
    EXPECT_EQ(Text(values->NoiseGateField()->Box()->text()), "-40dB");

    TypeAndLeave(values->BassAttenuationField()->Box(), "-5");
    EXPECT_EQ(services_.program.GetInput(2).GetBassAttenuation(), 15);
    EXPECT_EQ(values->BassAttenuationField()->Slider()->value(), 15);
    values->BassAttenuationField()->Arrows()->StepUp();
    EXPECT_EQ(services_.program.GetInput(2).GetBassAttenuation(), 16);
}

TEST_F(SetupDialogTest, LinkingMakesTheRightOutputACopyAndUnlinkingLeavesIt) {
    const std::pair<QCheckBox* (SetupOptionSection::*)() const, OutputPair> pairs[] = {
        {&SetupOptionSection::LinkMainBox, kMainPair},
        {&SetupOptionSection::LinkSurroundBox, kSurroundPair}};
    for (const auto& [box, pair] : pairs) {
        SCOPED_TRACE(pair.left);
        services_.calls.clear();
        CAudio_OutData& left = services_.program.GetOutput(pair.left);
        CAudio_OutData& right = services_.program.GetOutput(pair.right);
        left.SetGain(123);
        left.SetDelay(45);
        right.SetGain(7);
        QCheckBox* linkBox = (Open().Options()->*box)();
        EXPECT_FALSE(linkBox->isChecked());

        linkBox->click();
        const COutputLinkTable& links = services_.program.GetOutputLinks();
        EXPECT_EQ(links.GetGroup(pair.left), pair.left);
        EXPECT_EQ(links.GetGroup(pair.right), pair.left);
        EXPECT_EQ(right.GetGain(), 123);
        EXPECT_EQ(right.GetDelay(), 45);
        EXPECT_TRUE((Open().Options()->*box)()->isChecked());

        (dialog_->Options()->*box)()->click();
        EXPECT_EQ(links.GetGroup(pair.right), pair.right);
        EXPECT_EQ(right.GetGain(), 123);
        left.SetGain(99);
        EXPECT_EQ(right.GetGain(), 123);
        EXPECT_EQ(services_.calls,
                  (std::vector<std::string>{
                      "LinkOutputs " + std::to_string(pair.left) + " " + std::to_string(pair.right),
                      "RefreshOutputLinks"}));
    }
}

TEST_F(SetupDialogTest, LanguageButtonRelabelsTheDialogAndTellsTheView) {
    services_.language = Language::English;
    SetupDialog& dialog = Open();
    EXPECT_EQ(Text(dialog.windowTitle()), "Seting");
    EXPECT_EQ(Text(dialog.Options()->LinkMainBox()->text()), "Link Main_LR");
    EXPECT_EQ(Text(dialog.Volumes()->MaximumField(VolumeChannel::Music)->Caption()->text()),
              "Music Max volume");

    QTest::mouseClick(dialog.LanguageButton(), Qt::LeftButton);
    EXPECT_EQ(services_.calls, std::vector<std::string>{"SetLanguage 1"});
    EXPECT_EQ(Text(dialog.windowTitle()), "设置");
    EXPECT_EQ(Text(dialog.Options()->LockOption(2)->text()), "二级锁");
    EXPECT_EQ(Text(dialog.Volumes()->title()), "音量设置");
    EXPECT_EQ(Text(dialog.LanguageButton()->text()), "中文");

    QTest::mouseClick(dialog.LanguageButton(), Qt::LeftButton);
    EXPECT_EQ(services_.calls.back(), "SetLanguage 0");
    EXPECT_EQ(Text(dialog.Options()->ModeOption(1)->text()), "Auto");
}

TEST(SetupVolumeRulesTest, CurrentVolumesAboveTheirMaximumAreLowered) {
    SystemData system;
    system.SetMaximumVolume(VolumeChannel::Effect, 10);
    system.SetCurrentVolume(VolumeChannel::Effect, 11);
    system.SetMaximumVolume(VolumeChannel::Music, 10);
    system.SetCurrentVolume(VolumeChannel::Music, 10);
    system.SetMaximumVolume(VolumeChannel::Microphone, 0);
    system.SetCurrentVolume(VolumeChannel::Microphone, 255);
    LowerCurrentVolumesToMaximum(system);
    EXPECT_EQ(system.CurrentVolume(VolumeChannel::Effect), 10);
    EXPECT_EQ(system.CurrentVolume(VolumeChannel::Music), 10);
    EXPECT_EQ(system.CurrentVolume(VolumeChannel::Microphone), 0);
}

}  // namespace
