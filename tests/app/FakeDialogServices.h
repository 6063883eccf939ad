// SPDX-License-Identifier: GPL-3.0-or-later
// The view as the preset-group and setup dialogs see it, for tests: real
// program, store, system bytes and transfers over a real send queue, so a
// test reads back the frames an action queued; every call is recorded in
// order, and messages are kept with whether the dialog was still open.
#pragma once

#include <QDialog>
#include <QPointer>
#include <string>
#include <vector>

#include "WidgetTestApp.h"
#include "app/dialogs/DialogServices.h"
#include "model/Audio_Data.h"
#include "model/PresetStore.h"
#include "model/SystemData.h"
#include "protocol/DeviceTransfers.h"
#include "protocol/Frame.h"
#include "protocol/SendDataQueue.h"

struct ShownMessage {
    QString text;
    bool dialogOpen = false;
};

class FakeDialogServices : public DialogServices {
  public:
    FakeDialogServices() : transfers(queue, program, presets, system) {
        WidgetTestApp();
        program.ResetOutputLinks();
        transfers.SetConnected(true);
    }

    Language GetLanguage() const override { return language; }
    void SetLanguage(Language chosen) override {
        language = chosen;
        calls.push_back("SetLanguage " + std::to_string(static_cast<int>(chosen)));
    }
    bool IsConnected() const override { return transfers.IsConnected(); }
    void ShowMessage(const QString& text) override {
        messages.push_back({text, dialog != nullptr && dialog->isVisible()});
    }
    PresetStore& Presets() override { return presets; }
    SystemData& System() override { return system; }
    void EditProgram(const std::function<void(CAudio_Data& program)>& edit) override {
        const auto guard = queue.Lock();
        edit(program);
    }
    bool RecallPreset(int slot, SuccessMessage success = {}) override {
        calls.push_back("RecallPreset " + std::to_string(slot));
        transfers.RecallPreset(slot);
        successes.push_back(std::move(success));
        return recallGoesAhead;
    }
    void StoreProgramAs(int slot, const std::string& gbkName, SuccessMessage success) override {
        calls.push_back("StoreProgramAs " + std::to_string(slot));
        lastStoredName = gbkName;
        transfers.StoreProgramNamed(slot, gbkName);
        successes.push_back(std::move(success));
    }
    void WriteSystemItem(int item) override {
        calls.push_back("WriteSystemItem " + std::to_string(item));
        transfers.WriteSystemItem(item);
    }
    void WriteSystemItems(const std::vector<int>& items, SuccessMessage success) override {
        std::string call = "WriteSystemItems";
        for (const int item : items) {
            call += " " + std::to_string(item);
        }
        calls.push_back(call);
        transfers.WriteSystemItems(items);
        successes.push_back(std::move(success));
    }
    // What the view would show once the processor has answered the last transfer.
    QString LastSuccess() const {
        return successes.empty() || !successes.back() ? QString() : successes.back()(language);
    }
    void LinkOutputs(int sourceGroup, int targetOutput) override {
        calls.push_back("LinkOutputs " + std::to_string(sourceGroup) + " " +
                        std::to_string(targetOutput));
        // What the view does for a pair whose left output leads its group.
        const auto guard = queue.Lock();
        program.LinkOutputs(sourceGroup, targetOutput, true);
    }
    void RefreshOutputLinks() override { calls.push_back("RefreshOutputLinks"); }
    void RefreshVolumes() override { calls.push_back("RefreshVolumes"); }

    void Disconnect() { transfers.SetConnected(false); }

    // The queued frames, head first. The queue only hands out its head, so
    // it is emptied and refilled with copies.
    std::vector<std::vector<uint8_t>> QueuedFrames() const {
        const auto guard = queue.Lock();
        std::vector<std::vector<uint8_t>> frames;
        while (CSendData* head = queue.Head()) {
            frames.push_back(head->frame.ToVector());
            queue.RemoveHead();
        }
        for (const std::vector<uint8_t>& frame : frames) {
            queue.Add(MakeMessage(frame));
        }
        return frames;
    }

    Language language = Language::English;
    mutable CSendDataQueue queue;
    CAudio_Data program;
    PresetStore presets;
    SystemData system;
    DeviceTransfers transfers;
    std::vector<std::string> calls;
    std::vector<ShownMessage> messages;
    std::vector<SuccessMessage> successes;
    // The name the last store asked for; the preset store takes it only on the device's answer.
    std::string lastStoredName;
    // False: the user kept unsaved work instead of recalling.
    bool recallGoesAhead = true;
    QPointer<QDialog> dialog;
};
