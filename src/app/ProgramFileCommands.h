// SPDX-License-Identifier: GPL-3.0-or-later
// The two file buttons of the view: load a ".dia" program file into the
// program being edited (and, with a link open, download it to the device as
// its current program), and save the program to a file. Either way the
// program then matches its file.
//
// The constraint: a load replaces the program under the queue lock, since the
// USB worker scans the program for changes while holding it; and a file that
// cannot be read leaves the program exactly as it was and sends nothing.
#pragma once

#include <QString>
#include <functional>

#include "curves/BilingualText.h"

struct AppState;
class CAudio_Data;
class CSendDataQueue;
class DeviceTransfers;
class MessageSink;
class QWidget;

enum class FileDialogKind { Open, Save };

// The current directory, a separator and "*.dia".
QString InitialProgramFileName();

// The file dialogs' filters, named in the interface language: program files first.
QString ProgramFileFilter(Language language);

class ProgramFileCommands {
  public:
    // Returns the chosen path, or an empty string when the user cancelled.
    using PathChooser = std::function<QString(FileDialogKind kind, const QString& initialName)>;

    struct Services {
        CAudio_Data& program;
        CSendDataQueue& queue;
        DeviceTransfers& transfers;
        MessageSink& messages;
        const AppState& state;
        std::function<void()> refreshPages;
        // The file now holds the program (after a load or a save).
        std::function<void(const QString& path)> fileMatchesProgram;
        // Downloads the loaded program to the connected processor.
        std::function<void()> downloadProgram;
    };

    ProgramFileCommands(Services services, PathChooser chooser);

    // The file dialogs of the running editor, in the language `state` has when they open.
    static PathChooser FileDialogChooser(QWidget* parent, const AppState& state);

    void Load();
    // True when the program was saved.
    bool Save();
    // True when the file was read into the program.
    bool LoadFrom(const QString& path);
    bool SaveTo(const QString& path);

  private:
    Services services_;
    PathChooser chooser_;
};
