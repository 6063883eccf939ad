// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/PlaceholderPage.h"

#include <QLabel>
#include <QVBoxLayout>

#include "app/ShellTexts.h"

PlaceholderPage::PlaceholderPage(BilingualText title, bool showsChannel, QWidget* parent)
    : Page(parent), title_(title), showsChannel_(showsChannel), caption_(new QLabel(this)) {
    auto* layout = new QVBoxLayout(this);
    caption_->setAlignment(Qt::AlignCenter);
    QFont font = caption_->font();
    font.setPointSize(font.pointSize() * 2);
    caption_->setFont(font);
    layout->addWidget(caption_);
    Refresh();
}

void PlaceholderPage::ShowChannel(CAudio_Data* program, int channel) {
    program_ = program;
    channel_ = channel;
    Refresh();
}

void PlaceholderPage::Refresh() {
    ++refreshCount_;
    caption_->setText(Caption());
}

void PlaceholderPage::Relabel(Language language) {
    language_ = language;
    Refresh();
}

QString PlaceholderPage::Caption() const {
    QString text = Tr(title_, language_);
    if (showsChannel_) {
        text += QStringLiteral(" %1").arg(channel_ + 1);
    }
    return text;
}
