// SPDX-License-Identifier: GPL-3.0-or-later
// A page slot that shows only its title and the channel it was asked for,
// standing in until the real page is built.
#pragma once

#include "app/pages/Page.h"

class QLabel;

class PlaceholderPage : public Page {
    Q_OBJECT
  public:
    PlaceholderPage(BilingualText title, bool showsChannel, QWidget* parent = nullptr);

    void ShowChannel(CAudio_Data* program, int channel) override;
    void Refresh() override;
    void Relabel(Language language) override;

    CAudio_Data* Program() const { return program_; }
    int Channel() const { return channel_; }
    int RefreshCount() const { return refreshCount_; }
    QString Caption() const;

  private:
    BilingualText title_;
    bool showsChannel_;
    Language language_ = Language::Chinese;
    CAudio_Data* program_ = nullptr;
    int channel_ = 0;
    int refreshCount_ = 0;
    QLabel* caption_;
};
