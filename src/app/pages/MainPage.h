// SPDX-License-Identifier: GPL-3.0-or-later
// Page 0: the processor's signal flow (inputs, effect engine, six outputs)
// painted as a picture, with buttons laid over its blocks. The buttons open
// the blocks' pages (an output row's EQ, X-Over and Level buttons open that
// output's page at the section they name), load one of the device's four
// effect groups or recall one of four scene presets; the page edits no
// parameter with a control of its own.
//
// The constraint: buttons are known by the control numbers the rest of the
// editor and its tests use, so each keeps its number whatever its place.
#pragma once

#include <functional>
#include <map>
#include <vector>

#include "app/pages/Page.h"
#include "app/pages/SignalFlowLayout.h"

class PageServices;
class QPushButton;

class MainPage : public Page {
    Q_OBJECT
  public:
    MainPage(PageServices& services, QWidget* parent = nullptr);

    void ShowChannel(CAudio_Data* program, int channel) override;
    void Refresh() override;
    void Relabel(Language language) override;

    // The button with this control number, or null.
    QPushButton* Button(int controlId) const;
    CAudio_Data* Program() const { return program_; }
    // Where the picture's blocks and buttons stand at the page's present size.
    SignalFlowLayout Layout() const;

    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    // A text in both languages; a number fills its "%1".
    struct Caption {
        QPushButton* button = nullptr;
        BilingualText text;
        int number = 0;
    };

    QPushButton* AddButton(int controlId, const Caption& caption,
                           const std::function<void()>& action);
    QPushButton* AddOpenPageButton(int controlId, const Caption& caption, int page);
    SignalFlowMetrics Metrics() const;
    void PlaceButtons();

    PageServices& services_;
    CAudio_Data* program_ = nullptr;
    Language language_;
    std::map<int, QPushButton*> buttons_;
    std::vector<Caption> captions_;
};
