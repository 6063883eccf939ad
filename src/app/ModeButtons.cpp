// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ModeButtons.h"

#include <QHBoxLayout>
#include <QStringList>
#include <algorithm>
#include <array>

#include "controls/Describe.h"

namespace {
constexpr std::array<const char*, kSourceModeCount> kSourceModes = {"DVD", "VOD", "BGM", "AUTO"};
constexpr std::array<BilingualText, kFeedbackModeCount> kFeedbackModes = {
    {{"OFF", "关闭"}, {"FBX1", "FBX1"}, {"FBX2", "FBX2"}, {"FBX3", "FBX3"}, {"FBX4", "FBX4"}}};
constexpr BilingualText kModeName{"Source mode", "音源模式"};
constexpr BilingualText kModeTip{"press for the next mode", "按下切换到下一模式"};
constexpr BilingualText kFeedbackName{"Feedback suppression", "反馈抑制"};
constexpr BilingualText kFeedbackTip{"press for the next setting", "按下切换到下一档"};
constexpr std::array<KitPicture, kSourceModeCount> kSourcePictures = {
    KitPicture::Disc, KitPicture::Screen, KitPicture::MusicNote, KitPicture::AutoCycle};
constexpr std::array<KitPicture, kFeedbackModeCount> kFeedbackPictures = {
    KitPicture::MicOff, KitPicture::MicWaves1, KitPicture::MicWaves2, KitPicture::MicWaves3,
    KitPicture::MicWaves4};
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
    : QWidget(parent), mode_(new KitPictureButton(this)), feedback_(new KitPictureButton(this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    QStringList modes;
    for (uint8_t mode = 0; mode < kSourceModeCount; ++mode) {
        modes << SourceModeText(mode);
    }
    mode_->SetWidestCaptions(modes);
    QStringList feedbacks;
    for (uint8_t mode = 0; mode < kFeedbackModeCount; ++mode) {
        feedbacks << FeedbackModeText(mode, Language::English)
                  << FeedbackModeText(mode, Language::Chinese);
    }
    feedback_->SetWidestCaptions(feedbacks);
    layout->addWidget(mode_);
    layout->addWidget(feedback_);
    connect(mode_, &KitPictureButton::clicked, this, &ModeButtons::ModePressed);
    connect(feedback_, &KitPictureButton::clicked, this, &ModeButtons::FeedbackPressed);
    Show(0, 0);
    Relabel(language_);
}

void ModeButtons::Show(uint8_t sourceMode, uint8_t feedbackMode) {
    sourceMode_ = sourceMode;
    feedbackMode_ = feedbackMode;
    ShowPictures();
}

void ModeButtons::Relabel(Language language) {
    language_ = language;
    Describe(mode_, kModeName, kModeTip, language);
    Describe(feedback_, kFeedbackName, kFeedbackTip, language);
    ShowPictures();
}

void ModeButtons::ShowPictures() {
    const size_t source = std::min<size_t>(sourceMode_, kSourceModeCount - 1);
    mode_->SetPicture(kSourcePictures.at(source), SourceModeText(sourceMode_));
    const size_t feedback = std::min<size_t>(feedbackMode_, kFeedbackModeCount - 1);
    feedback_->SetPicture(kFeedbackPictures.at(feedback),
                          FeedbackModeText(feedbackMode_, language_));
}
