// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/VolumeStrip.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <algorithm>

#include "app/ShellTexts.h"
#include "controls/Describe.h"
#include "controls/KitSlider.h"

namespace {
constexpr std::array<VolumeChannel, 3> kChannels = {
    VolumeChannel::Effect, VolumeChannel::Microphone, VolumeChannel::Music};
constexpr std::array<BilingualText, 3> kTitles = {
    BilingualText{"Effect", "效果"}, BilingualText{"Mic", "话筒"}, BilingualText{"Music", "音乐"}};
}  // namespace

int VolumeAfterDecrease(int current) {
    return std::max(current - 1, 0);
}

int VolumeAfterIncrease(int current, int maximum) {
    if (current + 1 > maximum || current + 1 > VolumeStrip::kSliderMaximum) {
        return current;
    }
    return current + 1;
}

int VolumeFromSlider(int position, int maximum) {
    return std::min(position, maximum);
}

VolumeStrip::VolumeStrip(SystemData& system, ItemWriter writeItem, SystemLock lock, QWidget* parent)
    : QWidget(parent), system_(system), writeItem_(std::move(writeItem)), lock_(std::move(lock)) {
    auto* layout = new QHBoxLayout(this);
    for (VolumeChannel channel : kChannels) {
        VolumeGroup& group = groups_.at(static_cast<size_t>(channel));
        group.title = new QLabel(this);
        group.minus = new KitButton(QStringLiteral("-"), KitButton::Look::Small, this);
        group.slider = new KitSlider(this);
        group.plus = new KitButton(QStringLiteral("+"), KitButton::Look::Small, this);
        group.number = new QLabel(this);
        group.slider->setRange(0, kSliderMaximum);
        group.minus->setFixedWidth(28);
        group.plus->setFixedWidth(28);
        group.number->setMinimumWidth(24);
        for (QWidget* widget :
             {static_cast<QWidget*>(group.title), static_cast<QWidget*>(group.minus),
              static_cast<QWidget*>(group.slider), static_cast<QWidget*>(group.plus),
              static_cast<QWidget*>(group.number)}) {
            layout->addWidget(widget);
        }
        layout->addSpacing(16);
        connect(group.minus, &KitButton::clicked, this, [this, channel] { Decrease(channel); });
        connect(group.plus, &KitButton::clicked, this, [this, channel] { Increase(channel); });
        connect(group.slider, &QSlider::valueChanged, this, [this, channel](int position) {
            if (!showing_) {
                MoveSlider(channel, position);
            }
        });
    }
    Relabel(Language::Chinese);
    RefreshVolumes();
}

void VolumeStrip::Relabel(Language language) {
    for (VolumeChannel channel : kChannels) {
        const auto index = static_cast<size_t>(channel);
        const VolumeGroup& group = groups_.at(index);
        const QString title = Tr(kTitles.at(index), language);
        group.title->setText(title);
        const bool english = language == Language::English;
        Describe(group.slider,
                 english ? title + QStringLiteral(" volume") : title + QStringLiteral("音量"));
        Describe(group.minus, english ? title + QStringLiteral(" volume down")
                                      : title + QStringLiteral("音量减"));
        Describe(group.plus,
                 english ? title + QStringLiteral(" volume up") : title + QStringLiteral("音量加"));
    }
}

void VolumeStrip::RefreshVolumes() {
    for (VolumeChannel channel : kChannels) {
        Show(channel, system_.CurrentVolume(channel));
    }
}

void VolumeStrip::Decrease(VolumeChannel channel) {
    Apply(channel, VolumeAfterDecrease(system_.CurrentVolume(channel)));
}

void VolumeStrip::Increase(VolumeChannel channel) {
    Apply(channel,
          VolumeAfterIncrease(system_.CurrentVolume(channel), system_.MaximumVolume(channel)));
}

void VolumeStrip::MoveSlider(VolumeChannel channel, int position) {
    Apply(channel, VolumeFromSlider(position, system_.MaximumVolume(channel)));
}

void VolumeStrip::Apply(VolumeChannel channel, int value) {
    {
        const CSendDataQueue::Guard guard = lock_ ? lock_() : CSendDataQueue::Guard();
        system_.SetCurrentVolume(channel, static_cast<uint8_t>(value));
    }
    Show(channel, value);
    writeItem_(SystemData::VolumeItem(channel));
}

void VolumeStrip::Show(VolumeChannel channel, int value) {
    const VolumeGroup& group = Group(channel);
    // Moving the slider back to an allowed value is not a new user move.
    showing_ = true;
    group.slider->setValue(value);
    showing_ = false;
    group.number->setText(QString::number(value));
}
