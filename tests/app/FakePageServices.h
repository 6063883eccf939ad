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
    void RecallPreset(int slot) override { base.RecallPreset(slot); }
    void StoreProgram(int slot) override { base.StoreProgram(slot); }
    void WriteSystemItem(int item) override { base.WriteSystemItem(item); }
    void LinkOutputs(int sourceGroup, int targetOutput) override {
        base.LinkOutputs(sourceGroup, targetOutput);
    }
    void RefreshOutputLinks() override { base.RefreshOutputLinks(); }
    void RefreshVolumes() override { base.RefreshVolumes(); }

    void SelectPage(int page) override {
        base.calls.push_back("SelectPage " + std::to_string(page));
        selectedPages.push_back(page);
    }
    void ReadEffectGroup(int group) override {
        base.calls.push_back("ReadEffectGroup " + std::to_string(group));
        base.transfers.ReadEffectGroup(group);
    }
    CSendDataQueue& Queue() override { return base.queue; }

    void Disconnect() { base.Disconnect(); }
    CAudio_Data& Program() { return base.program; }
    const std::vector<std::string>& Calls() const { return base.calls; }
    const std::vector<ShownMessage>& Messages() const { return base.messages; }
    std::vector<std::vector<uint8_t>> QueuedFrames() const { return base.QueuedFrames(); }

    FakeDialogServices base;
    std::vector<int> selectedPages;
    // Calls of EditProgram: every change a page makes goes through it.
    int edits = 0;
};
