// SPDX-License-Identifier: GPL-3.0-or-later
// What the editor pages need from the main view, beyond what the modal
// dialogs need: page switching, the effect-group read, and the queue whose
// lock the response graph holds while a drag changes elements.
//
// The constraint: the USB worker scans the program for changes under the
// queue lock, so a page changes the program only inside `EditProgram` (or,
// for the graph, while holding `Queue().Lock()`).
#pragma once

#include "app/dialogs/DialogServices.h"
#include "app/pages/OutputSection.h"

class CSendDataQueue;

class PageServices : public DialogServices {
  public:
    // Page numbers as the page buttons use them: 0 main, 1 music input EQ,
    // 2 effect EQ, 3 microphone input EQ, 4..9 outputs 1..6.
    virtual void SelectPage(int page) = 0;
    // Output page `page` with `section` brought into view and given the focus.
    virtual void ShowOutputSection(int page, OutputSection section) {
        static_cast<void>(section);
        SelectPage(page);
    }
    // Reads device effect group 22, 24, 26 or 28 (the view shows the progress
    // window) once the user agreed to what it replaces; false when not.
    virtual bool ReadEffectGroup(int group) = 0;
    // Recalls the preset of a scene button once the user agreed to what it
    // replaces; false when not.
    virtual bool RecallScene(int slot) = 0;
    virtual CSendDataQueue& Queue() = 0;
};
