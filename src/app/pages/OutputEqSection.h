// SPDX-License-Identifier: GPL-3.0-or-later
// The equaliser of the output the output page shows: the band rows and the
// "All Bypass" switch. Every row edit is made on the shown band and on the
// same band of each linked output; a band dragged on the graph is shown in
// its row and taken over by the linked outputs.
//
// The constraint: main left and main right are edited in all seven bands,
// the other four outputs only in bands 1 to 5, so rows 6 and 7 are hidden
// for them and a drag notice for a hidden band refreshes no row.
#pragma once

#include <QWidget>

#include "controls/KitSwitch.h"
#include "curves/BilingualText.h"

class CAudio_Data;
class EqBandTable;
class PageServices;

class OutputEqSection : public QWidget {
    Q_OBJECT

  public:
    OutputEqSection(PageServices& services, QWidget* parent = nullptr);

    void ShowOutput(CAudio_Data* program, int output);
    void Refresh();
    void Relabel(Language language);

    // The graph changed band `band` of the shown output.
    void TakeDraggedBand(int band);

    // Bands of output `output` that have a row.
    static int EditableBands(int output);

    EqBandTable& Table() const { return *table_; }
    KitSwitch& AllBypassSwitch() const { return *allBypass_; }

  signals:
    // A band of the shown output was edited; the page redraws its graph.
    void Edited();

  private:
    bool ShowsOutput() const;
    void PressAllBypassSwitch();
    void ShowAllBypass();

    PageServices& services_;
    CAudio_Data* program_ = nullptr;
    int output_ = 0;
    EqBandTable* table_;
    KitSwitch* allBypass_;
};
