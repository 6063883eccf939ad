// SPDX-License-Identifier: GPL-3.0-or-later
// The view as the editor pages see it, for tests: the dialog fake's real
// program, queue and transfers behind the page operations, with page
// selections and effect-group reads recorded in the same call list.
#pragma once

#include "FakeDialogServices.h"
#include "app/pages/PageServices.h"

class FakePageServices : public PageServices {
  public:
    Language GetLanguage() const override { return base.GetLanguage(); }
    void SetLanguage(Language language) override { base.SetLanguage(language); }
    bool IsConnected() const override { return base.IsConnected(); }
    void ShowMessage(const QString& text) override { base.ShowMessage(text); }
    PresetStore& Presets() override { return base.Presets(); }
    SystemData& System() override { return base.System(); }
    void EditProgram(const std::function<void(CAudio_Data& program)>& edit) override {
        ++edits;
        base.EditProgram(edit);
    }
    bool RecallPreset(int slot, SuccessMessage success = {}) override {
        return base.RecallPreset(slot, std::move(success));
    }
    void StoreProgramAs(int slot, const std::string& gbkName, SuccessMessage success) override {
        base.StoreProgramAs(slot, gbkName, std::move(success));
    }
    void WriteSystemItem(int item) override { base.WriteSystemItem(item); }
    void WriteSystemItems(const std::vector<int>& items, SuccessMessage success) override {
        base.WriteSystemItems(items, std::move(success));
    }
    void LinkOutputs(int sourceGroup, int targetOutput) override {
        base.LinkOutputs(sourceGroup, targetOutput);
    }
    void RefreshOutputLinks() override { base.RefreshOutputLinks(); }
    void RefreshVolumes() override { base.RefreshVolumes(); }

    void SelectPage(int page) override {
        base.calls.push_back("SelectPage " + std::to_string(page));
        selectedPages.push_back(page);
    }
    bool ReadEffectGroup(int group) override {
        base.calls.push_back("ReadEffectGroup " + std::to_string(group));
        if (!agreesToReplace) {
            return false;
        }
        base.transfers.ReadEffectGroup(group);
        return true;
    }
    bool RecallScene(int slot) override {
        base.calls.push_back("RecallScene " + std::to_string(slot));
        if (!agreesToReplace) {
            return false;
        }
        base.transfers.RecallPreset(slot);
        return true;
    }
    CSendDataQueue& Queue() override { return base.queue; }

    void Disconnect() { base.Disconnect(); }
    CAudio_Data& Program() { return base.program; }
    const std::vector<std::string>& Calls() const { return base.calls; }
    const std::vector<ShownMessage>& Messages() const { return base.messages; }
    std::vector<std::vector<uint8_t>> QueuedFrames() const { return base.QueuedFrames(); }

    FakeDialogServices base;
    // The user's answer when a scene or effect-group button asks what it replaces.
    bool agreesToReplace = true;
    std::vector<int> selectedPages;
    // Calls of EditProgram: every change a page makes goes through it.
    int edits = 0;
};
