// SPDX-License-Identifier: GPL-3.0-or-later
// Page 2: the effect engine. The reverb and echo parameters, the three
// bands of the effect EQ with its high-pass and low-pass, the "All Bypass"
// switch and the response graph of the effect chain. Graph drags refresh the
// row or box of the dragged element; box edits redraw the graph.
//
// The constraint: every edit reaches the model through its setters inside
// the services' `EditProgram`, so the change flags carry it to the device
// and the USB worker never scans a half-made change.
#pragma once

#include "app/pages/Page.h"
#include "controls/KitSwitch.h"

class CAudio_EffectData;
class CFStatic;
class EffectCrossoverFields;
class EffectParameterSection;
class EqBandTable;
class PageServices;
class QLabel;

enum class BandEditKind;

class EffectPage : public Page {
    Q_OBJECT
  public:
    EffectPage(PageServices& services, QWidget* parent = nullptr);

    void ShowChannel(CAudio_Data* program, int channel) override;
    void Refresh() override;
    void Relabel(Language language) override;

    EffectParameterSection& Parameters() const { return *parameters_; }
    EqBandTable& Bands() const { return *bands_; }
    EffectCrossoverFields& Crossover() const { return *crossover_; }
    KitSwitch& AllBypass() const { return *allBypass_; }
    CFStatic& Graph() const { return *graph_; }

  private:
    CAudio_EffectData* Effect() const;
    void SetParameter(int param, int code);
    void SetCrossoverFrequency(int element, int frequency);
    void BandEdited(int band, BandEditKind kind);
    void ToggleAllBypass();
    void ElementDragged(int element);
    void ShowAllBypass();

    PageServices& services_;
    CAudio_Data* program_ = nullptr;
    EffectParameterSection* parameters_;
    QLabel* eqHeading_;
    EqBandTable* bands_;
    EffectCrossoverFields* crossover_;
    KitSwitch* allBypass_;
    CFStatic* graph_;
};
