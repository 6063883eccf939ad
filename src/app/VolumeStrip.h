// SPDX-License-Identifier: GPL-3.0-or-later
// The three master volumes at the foot of the view (effect, microphone,
// music): a slider 0..50, the value as a number and -/+ buttons each. Every
// change stores the current volume byte of the system data and writes the
// group's system item; the writer does nothing while no link is open.
//
// The constraint: a current volume never goes above its group's maximum byte
// (nor above 50), yet a step that changes nothing is still written, as the
// device expects one write per press.
#pragma once

#include <QWidget>
#include <array>
#include <functional>

#include "controls/KitButton.h"
#include "curves/BilingualText.h"
#include "model/SystemData.h"
#include "protocol/SendDataQueue.h"

class QLabel;
class QSlider;

// The value a press or a slider position leaves for a group.
int VolumeAfterDecrease(int current);
int VolumeAfterIncrease(int current, int maximum);
int VolumeFromSlider(int position, int maximum);

class VolumeStrip : public QWidget {
    Q_OBJECT
  public:
    using ItemWriter = std::function<void(int item)>;
    // The lock that replies hold while they fill the system bytes.
    using SystemLock = std::function<CSendDataQueue::Guard()>;

    VolumeStrip(SystemData& system, ItemWriter writeItem, SystemLock lock = {},
                QWidget* parent = nullptr);

    // Sliders and numbers from the current volume bytes.
    void RefreshVolumes();
    void Relabel(Language language);

    void Decrease(VolumeChannel channel);
    void Increase(VolumeChannel channel);
    void MoveSlider(VolumeChannel channel, int position);

    QSlider* Slider(VolumeChannel channel) const { return Group(channel).slider; }
    QLabel* Number(VolumeChannel channel) const { return Group(channel).number; }
    KitButton* MinusButton(VolumeChannel channel) const { return Group(channel).minus; }
    KitButton* PlusButton(VolumeChannel channel) const { return Group(channel).plus; }

    static constexpr int kSliderMaximum = 50;

  private:
    struct VolumeGroup {
        QLabel* title = nullptr;
        QSlider* slider = nullptr;
        QLabel* number = nullptr;
        KitButton* minus = nullptr;
        KitButton* plus = nullptr;
    };
    const VolumeGroup& Group(VolumeChannel channel) const {
        return groups_.at(static_cast<size_t>(channel));
    }
    void Apply(VolumeChannel channel, int value);
    void Show(VolumeChannel channel, int value);

    SystemData& system_;
    ItemWriter writeItem_;
    SystemLock lock_;
    std::array<VolumeGroup, 3> groups_;
    bool showing_ = false;
};
