// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogs/SetupOptionSection.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/ShellTexts.h"
#include "app/dialogs/DialogServices.h"
#include "app/dialogs/SetupTexts.h"
#include "model/Audio_Data.h"
#include "model/SystemData.h"

namespace {
constexpr int kModeCount = 2;
constexpr int kLockLevelCount = 3;

QButtonGroup* AddOptions(QGroupBox* group, int count) {
    auto* options = new QButtonGroup(group);
    auto* layout = new QHBoxLayout(group);
    for (int value = 0; value < count; ++value) {
        auto* option = new QRadioButton(group);
        options->addButton(option, value);
        layout->addWidget(option);
    }
    return options;
}

// Shows `value` as the checked option, or none when the byte holds no option's value.
void CheckOption(QButtonGroup* options, int value) {
    if (QAbstractButton* option = options->button(value)) {
        option->setChecked(true);
        return;
    }
    options->setExclusive(false);
    for (QAbstractButton* option : options->buttons()) {
        option->setChecked(false);
    }
    options->setExclusive(true);
}
}  // namespace

SetupOptionSection::SetupOptionSection(DialogServices& services, QWidget* parent)
    : QWidget(parent),
      services_(services),
      modeGroup_(new QGroupBox(this)),
      lockGroup_(new QGroupBox(this)),
      modeOptions_(AddOptions(modeGroup_, kModeCount)),
      lockOptions_(AddOptions(lockGroup_, kLockLevelCount)),
      linkMain_(new QCheckBox(this)),
      linkSurround_(new QCheckBox(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(modeGroup_);
    layout->addWidget(linkMain_);
    layout->addWidget(linkSurround_);
    layout->addWidget(lockGroup_);

    connect(modeOptions_, &QButtonGroup::idClicked, this, [this](int value) {
        ChooseSystemOption(SystemByte::kOperatingMode, SystemItem::kOperatingMode, value);
    });
    connect(lockOptions_, &QButtonGroup::idClicked, this, [this](int value) {
        ChooseSystemOption(SystemByte::kPanelLock, SystemItem::kPanelLock, value);
    });
    connect(linkMain_, &QCheckBox::clicked, this,
            [this](bool linked) { SetPairLinked(kMainPair, linked); });
    connect(linkSurround_, &QCheckBox::clicked, this,
            [this](bool linked) { SetPairLinked(kSurroundPair, linked); });
}

QRadioButton* SetupOptionSection::ModeOption(int value) const {
    return qobject_cast<QRadioButton*>(modeOptions_->button(value));
}

QRadioButton* SetupOptionSection::LockOption(int value) const {
    return qobject_cast<QRadioButton*>(lockOptions_->button(value));
}

void SetupOptionSection::Load() {
    const SystemData& system = services_.System();
    CheckOption(modeOptions_, system.Byte(SystemByte::kOperatingMode));
    CheckOption(lockOptions_, system.Byte(SystemByte::kPanelLock));
    bool mainLinked = false;
    bool surroundLinked = false;
    services_.EditProgram([&](CAudio_Data& program) {
        const COutputLinkTable& links = program.GetOutputLinks();
        mainLinked = links.GetGroup(kMainPair.left) == links.GetGroup(kMainPair.right);
        surroundLinked = links.GetGroup(kSurroundPair.left) == links.GetGroup(kSurroundPair.right);
    });
    linkMain_->setChecked(mainLinked);
    linkSurround_->setChecked(surroundLinked);
}

void SetupOptionSection::ChooseSystemOption(int byte, int item, int value) {
    SystemData& system = services_.System();
    if (system.Byte(byte) == value) {
        return;
    }
    services_.EditProgram([&](CAudio_Data&) { system.SetByte(byte, static_cast<uint8_t>(value)); });
    services_.WriteSystemItem(item);
}

void SetupOptionSection::SetPairLinked(OutputPair pair, bool linked) {
    // Linking starts from the left output leading its own group; unlinking
    // gives the right output a group of its own. Either way the output's
    // group number is its own index.
    const int output = linked ? pair.left : pair.right;
    services_.EditProgram(
        [output](CAudio_Data& program) { program.GetOutputLinks().SetGroup(output, output); });
    if (linked) {
        services_.LinkOutputs(pair.left, pair.right);
    } else {
        services_.RefreshOutputLinks();
    }
}

void SetupOptionSection::Relabel(Language language) {
    modeGroup_->setTitle(Tr(SetupText::kMode, language));
    ModeOption(0)->setText(Tr(SetupText::kSing, language));
    ModeOption(1)->setText(Tr(SetupText::kAuto, language));
    lockGroup_->setTitle(Tr(SetupText::kPanelLock, language));
    for (int value = 0; value < kLockLevelCount; ++value) {
        LockOption(value)->setText(
            Tr(SetupText::kLockLevels.at(static_cast<size_t>(value)), language));
    }
    linkMain_->setText(Tr(SetupText::kLinkMain, language));
    linkSurround_->setText(Tr(SetupText::kLinkSurround, language));
}
