// SPDX-License-Identifier: GPL-3.0-or-later
// The two state buttons of the view: the device's source mode (DVD, VOD, BGM,
// AUTO; system byte 6) and the microphone's feedback suppression (off, FBX1 to
// FBX4), each a small picture with its legend. A press asks the view for the
// next state; the buttons only show. The
// mode names are the device's own legends and read the same in both
// languages; "off" follows the interface language.
//
// The constraint: values from a device or a file may lie outside the cycle;
// each steps back into it on the next press instead of growing further.
#pragma once

#include <QWidget>
#include <cstdint>

#include "controls/KitPictureButton.h"
#include "curves/BilingualText.h"

inline constexpr int kSourceModeCount = 4;
inline constexpr int kFeedbackModeCount = 5;

uint8_t NextSourceMode(uint8_t mode);
uint8_t NextFeedbackMode(uint8_t mode);
QString SourceModeText(uint8_t mode);
QString FeedbackModeText(uint8_t mode, Language language = Language::English);

class ModeButtons : public QWidget {
    Q_OBJECT
  public:
    explicit ModeButtons(QWidget* parent = nullptr);

    void Show(uint8_t sourceMode, uint8_t feedbackMode);
    void Relabel(Language language);

    KitPictureButton* ModeButton() const { return mode_; }
    KitPictureButton* FeedbackButton() const { return feedback_; }

  signals:
    void ModePressed();
    void FeedbackPressed();

  private:
    void ShowPictures();

    KitPictureButton* mode_;
    KitPictureButton* feedback_;
    uint8_t sourceMode_ = 0;
    uint8_t feedbackMode_ = 0;
    Language language_ = Language::Chinese;
};
