// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/PageButtons.h"

#include <QHBoxLayout>

#include "app/KeyboardShortcuts.h"
#include "app/ShellTexts.h"

namespace {
constexpr std::array<BilingualText, kFirstOutputPage> kPageNames = {
    BilingualText{"Main", "主页"}, BilingualText{"Music EQ", "音乐均衡"},
    BilingualText{"Effect EQ", "效果均衡"}, BilingualText{"Mic EQ", "话筒均衡"}};
constexpr BilingualText kOutputName{"Out %1", "输出 %1"};
}  // namespace

PageButtons::PageButtons(QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    for (int page = 0; page < kPageCount; ++page) {
        // The view draws the current page pressed; a click alone does not.
        auto* button = new KitButton(KitButton::Look::Page, this);
        connect(button, &KitButton::clicked, this, [this, page] { emit PagePressed(page); });
        buttons_.at(static_cast<size_t>(page)) = button;
        layout->addWidget(button);
    }
    ShowCurrent(0);
    Relabel(Language::Chinese);
}

void PageButtons::ShowCurrent(int page) {
    for (int index = 0; index < kPageCount; ++index) {
        buttons_.at(static_cast<size_t>(index))->setChecked(index == page);
    }
}

void PageButtons::Relabel(Language language) {
    for (int page = 0; page < kPageCount; ++page) {
        KitButton* button = buttons_.at(static_cast<size_t>(page));
        if (page < kFirstOutputPage) {
            button->setText(Tr(kPageNames.at(static_cast<size_t>(page)), language));
        } else {
            button->setText(Tr(kOutputName, language).arg(page - kFirstOutputPage + 1));
        }
        button->setToolTip(WithShortcut(button->text(), Shortcut::ForPage(page)));
    }
}
