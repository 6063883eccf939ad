// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ModeButtons.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <array>

namespace {
constexpr std::array<const char*, kSourceModeCount> kSourceModes = {"DVD", "VOD", "BGM", "AUTO"};
constexpr std::array<BilingualText, kFeedbackModeCount> kFeedbackModes = {
    {{"OFF", "关闭"}, {"FBX1", "FBX1"}, {"FBX2", "FBX2"}, {"FBX3", "FBX3"}, {"FBX4", "FBX4"}}};
constexpr int kButtonWidth = 72;
}  // namespace

uint8_t NextSourceMode(uint8_t mode) {
    return mode + 1 >= kSourceModeCount ? 0 : static_cast<uint8_t>(mode + 1);
}

uint8_t NextFeedbackMode(uint8_t mode) {
    return mode + 1 >= kFeedbackModeCount ? 0 : static_cast<uint8_t>(mode + 1);
}

QString SourceModeText(uint8_t mode) {
    return QString::fromLatin1(kSourceModes.at(std::min<size_t>(mode, kSourceModeCount - 1)));
}

QString FeedbackModeText(uint8_t mode, Language language) {
    const std::string_view text =
        kFeedbackModes.at(std::min<size_t>(mode, kFeedbackModeCount - 1)).In(language);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

ModeButtons::ModeButtons(QWidget* parent)
    : QWidget(parent), mode_(new QPushButton(this)), feedback_(new QPushButton(this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    mode_->setFixedWidth(kButtonWidth);
    feedback_->setFixedWidth(kButtonWidth);
    layout->addWidget(mode_);
    layout->addWidget(feedback_);
    connect(mode_, &QPushButton::clicked, this, &ModeButtons::ModePressed);
    connect(feedback_, &QPushButton::clicked, this, &ModeButtons::FeedbackPressed);
    Show(0, 0);
}

void ModeButtons::Show(uint8_t sourceMode, uint8_t feedbackMode) {
    feedbackMode_ = feedbackMode;
    mode_->setText(SourceModeText(sourceMode));
    feedback_->setText(FeedbackModeText(feedbackMode, language_));
}

void ModeButtons::Relabel(Language language) {
    language_ = language;
    feedback_->setText(FeedbackModeText(feedbackMode_, language_));
}
