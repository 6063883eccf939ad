// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CompareControl.h"

#include <QHBoxLayout>
#include <QPushButton>

#include "app/EditHistory.h"
#include "app/KeyboardShortcuts.h"
#include "app/ShellTexts.h"

namespace {
constexpr BilingualText kALive{"A live", "A 生效"};
constexpr BilingualText kBLive{"B live", "B 生效"};
constexpr BilingualText kCopyAToB{"Copy A to B", "复制 A 到 B"};
constexpr BilingualText kCopyBToA{"Copy B to A", "复制 B 到 A"};
constexpr BilingualText kSwitch{"Switch A/B", "切换 A/B"};
constexpr BilingualText kSwitchTip{"Program A and program B: hear the other one on the device",
                                   "程序 A 与程序 B：切换到另一个程序"};
constexpr BilingualText kCopyTip{"Make the other side a copy of the live program",
                                 "将当前程序复制到另一侧"};
}  // namespace

CompareControl::CompareControl(EditHistory& history, QWidget* parent)
    : QWidget(parent),
      history_(history),
      switch_(new QPushButton(this)),
      copy_(new QPushButton(this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(switch_);
    layout->addWidget(copy_);
    // The switch stays pressed in while B is live, so the live side shows from
    // across the room, not only in its caption.
    switch_->setCheckable(true);
    connect(switch_, &QPushButton::clicked, this, [this] {
        history_.SwitchSides();
        Relabel(language_);
    });
    connect(copy_, &QPushButton::clicked, &history_, &EditHistory::CopyLiveToOther);
    connect(&history_, &EditHistory::SideSwitched, this, [this] { Relabel(language_); });
    Relabel(language_);
}

QString CompareControl::SwitchText(Language language) {
    return Tr(kSwitch, language);
}

QString CompareControl::CopyText(CompareSide live, Language language) {
    return Tr(live == CompareSide::A ? kCopyAToB : kCopyBToA, language);
}

void CompareControl::Relabel(Language language) {
    language_ = language;
    const CompareSide live = history_.LiveSide();
    switch_->setText(Tr(live == CompareSide::A ? kALive : kBLive, language));
    switch_->setChecked(live == CompareSide::B);
    switch_->setToolTip(WithShortcut(Tr(kSwitchTip, language), Shortcut::CompareSwitch()));
    switch_->setAccessibleName(switch_->text());
    copy_->setText(CopyText(live, language));
    copy_->setToolTip(Tr(kCopyTip, language));
    copy_->setAccessibleName(copy_->text());
}
