// SPDX-License-Identifier: GPL-3.0-or-later
// The input EQ page: the band rows of an input channel's chain, the
// microphone's crossover frequencies, "All Bypass" and the response graph.
// The view shows it for the music channel (every edit repeated on the other
// music channel) and for the microphone.
//
// The constraint: the page never sends; it changes elements inside
// `EditProgram`, and their dirty flags carry the change to the device.
#pragma once

#include "app/pages/EqBandTableEdits.h"
#include "app/pages/Page.h"
#include "controls/KitSwitch.h"

class CAudio_InData;
class CFStatic;
class EqBandTable;
class InputEqCrossover;
class PageServices;

class InputEqPage : public Page {
    Q_OBJECT

  public:
    explicit InputEqPage(PageServices& services, QWidget* parent = nullptr);
    ~InputEqPage() override;

    void ShowChannel(CAudio_Data* program, int channel) override;
    void Refresh() override;
    void Relabel(Language language) override;

    CAudio_Data* Program() const { return program_; }
    int Channel() const { return channel_; }
    EqBandTable& Bands() const { return *bands_; }
    InputEqCrossover& Crossover() const { return *crossover_; }
    KitSwitch& AllBypass() const { return *allBypass_; }
    CFStatic& Graph() const { return *graph_; }

    // What the graph's change notice does; public so the notice can be
    // replayed without waiting for its timer.
    void OnElementChanged(int chainIndex);

  private:
    CAudio_InData& Shown() const;
    void OnBandEdited(int band, BandEditKind kind);
    void OnAllBypassClicked();
    void OnHighPassEdited(int hertz);
    void OnLowPassEdited(int hertz);
    void ShowCrossover();
    void UpdateAllBypassImage();

    PageServices& services_;
    CAudio_Data* program_ = nullptr;
    int channel_ = 0;
    Language language_ = Language::Chinese;
    EqBandTable* bands_;
    InputEqCrossover* crossover_;
    KitSwitch* allBypass_;
    CFStatic* graph_;
};
