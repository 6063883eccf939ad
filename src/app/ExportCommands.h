// SPDX-License-Identifier: GPL-3.0-or-later
// The File menu's exports: the graph on screen as a PNG picture, every
// channel's summed response as CSV (the command-line client's format), and a
// PDF setup sheet for the venue's records (program and preset names, every
// channel's values, one graph per channel).
//
// The constraint: exports read a copy of the program taken under the queue
// lock, so laying out graphs for the sheet never moves the markers of the
// program being edited; and every file is written whole or not at all.
#pragma once

#include <QString>
#include <functional>

class CAudio_Data;
class CFStatic;
class CSendDataQueue;
class MessageSink;
class PresetStore;
class QWidget;
struct AppState;

enum class ExportKind { GraphPicture, ResponseTable, SetupSheet };

class ExportCommands {
  public:
    // Returns the chosen path, or an empty string when the user cancelled.
    using PathChooser = std::function<QString(ExportKind kind)>;

    struct Services {
        CAudio_Data& program;
        CSendDataQueue& queue;
        const PresetStore& presets;
        MessageSink& messages;
        const AppState& state;
        // The graph of the page on screen; none on the main page.
        std::function<CFStatic*()> shownGraph;
    };

    ExportCommands(Services services, PathChooser chooser);
    // The save dialogs of the running editor, in the language of the moment.
    static PathChooser FileDialogChooser(QWidget* parent, const AppState& state);
    void SetPathChooser(PathChooser chooser) { chooser_ = std::move(chooser); }

    void Export(ExportKind kind);
    // True when the file was written; otherwise the user was told why.
    bool ExportGraphTo(const QString& path);
    bool ExportResponsesTo(const QString& path);
    bool ExportSetupSheetTo(const QString& path);

  private:
    void ShowFailure(const QString& path);

    Services services_;
    PathChooser chooser_;
};
