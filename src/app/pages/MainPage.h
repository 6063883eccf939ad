// SPDX-License-Identifier: GPL-3.0-or-later
// Page 0: the processor's signal flow (inputs, effect engine, six outputs)
// as a grid of buttons over the blocks. The buttons open the blocks' pages,
// load one of the device's four effect groups or recall one of four scene
// presets; the page edits no parameter with a control of its own.
//
// The constraint: buttons are known by the control numbers the rest of the
// editor and its tests use, so each keeps its number whatever its place.
#pragma once

#include <functional>
#include <map>
#include <vector>

#include "app/pages/Page.h"

class PageServices;
class QGridLayout;
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

  private:
    // A text in both languages; a number fills its "%1".
    struct Caption {
        QWidget* widget = nullptr;
        BilingualText text;
        int number = 0;
    };
    struct Place {
        int row = 0;
        int column = 0;
    };

    void AddButton(int controlId, const Caption& caption, Place place,
                   const std::function<void()>& action);
    void AddHeading(BilingualText text, Place place);
    void AddOpenPageButton(int controlId, const Caption& caption, Place place, int page);

    PageServices& services_;
    CAudio_Data* program_ = nullptr;
    QGridLayout* grid_;
    std::map<int, QPushButton*> buttons_;
    std::vector<Caption> captions_;
};
