// SPDX-License-Identifier: GPL-3.0-or-later
// What the preset-group and setup dialogs need from the main view: the
// application-wide data they edit, the few device operations they start, and
// the refreshes the view owes its own controls afterwards. The view
// implements it; tests hand in a fake that records the calls.
//
// The constraint: the USB worker scans the program for changes while holding
// the queue lock, so the dialogs touch the program only inside `EditProgram`,
// and call the other operations outside it (they take the lock themselves).
#pragma once

#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "curves/BilingualText.h"

class CAudio_Data;
class PresetStore;
class SystemData;

class DialogServices {
  public:
    virtual ~DialogServices() = default;

    virtual Language GetLanguage() const = 0;
    // Applies the language to the view's own texts, menus and images too.
    virtual void SetLanguage(Language language) = 0;
    virtual bool IsConnected() const = 0;
    // A message with an OK button; the running editor shows a modal box.
    virtual void ShowMessage(const QString& text) = 0;

    virtual PresetStore& Presets() = 0;
    virtual SystemData& System() = 0;
    // Runs `edit` on the program under the queue lock. Replies fill the
    // preset store and the system bytes under the same lock, so the dialogs
    // write those inside it too.
    virtual void EditProgram(const std::function<void(CAudio_Data& program)>& edit) = 0;

    // The transfers, each followed by whatever the view shows for it (the
    // progress window; once the processor has answered, `success`; a failure
    // message when it refused or the link went). They queue nothing while not
    // connected.
    using SuccessMessage = std::function<QString(Language language)>;
    // Asks first when the program has unsaved changes; false when the user
    // chose to keep them and nothing was started.
    virtual bool RecallPreset(int slot, SuccessMessage success = {}) = 0;
    // Stores the processor's current program into `slot`, named `gbkName`;
    // the preset store takes the name once the processor has acknowledged it.
    virtual void StoreProgramAs(int slot, const std::string& gbkName, SuccessMessage success) = 0;
    virtual void WriteSystemItem(int item) = 0;
    // The items as one exchange, acknowledged as a whole.
    virtual void WriteSystemItems(const std::vector<int>& items, SuccessMessage success) = 0;

    // Output `targetOutput` joins link group `sourceGroup`, taking the settings
    // of the group's first output and sending its record; the view then
    // redraws its link indicators and moves off a page that became a follower.
    virtual void LinkOutputs(int sourceGroup, int targetOutput) = 0;
    // The link groups were changed directly (an output unlinked): redraw the indicators.
    virtual void RefreshOutputLinks() = 0;
    // The volume strip shows the current volume bytes again.
    virtual void RefreshVolumes() = 0;
};
