// SPDX-License-Identifier: GPL-3.0-or-later
// Keeps track of whether the program holds work that is not in a file: what
// changed since it was last opened, saved or read from the processor. It
// gives the window its title (file name, and a mark for unsaved changes) and
// asks the user before anything replaces such work.
//
// The constraint: edits reach the program by many paths (pages, graph drags,
// dialogs, replies), so the state is found by comparing the program with a
// baseline, under the queue lock, never by counting edits; a light timer
// keeps the title current between the moments that ask.
#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

#include "model/ProgramBaseline.h"

struct AppState;
class CAudioDoc;
class CSendDataQueue;
class MessageSink;
struct ReplaceQuestion;

class UnsavedWork : public QObject {
    Q_OBJECT
  public:
    struct Services {
        CAudioDoc& document;
        CSendDataQueue& queue;
        MessageSink& messages;
        const AppState& state;
        // Saves the program to a file the user chooses; true when it was saved.
        std::function<bool()> save;
    };

    explicit UnsavedWork(Services services, QObject* parent = nullptr);

    // The program now is what was opened, saved or read; a path names its file.
    void MarkUnchanged();
    void MarkUnchanged(const QString& filePath);
    // Compares now.
    bool IsModified();
    // Before an action replaces the program: with unsaved work, save (going
    // ahead only once it is saved), discard or cancel; without, a plain
    // OK/Cancel when `confirmWhenClean`, otherwise no question. True: go ahead.
    bool AskBeforeReplacing(const ReplaceQuestion& question, bool confirmWhenClean);
    // "*show.dia - Sonavel V6.3.2": the file's name, a star while modified.
    QString WindowTitle();

    static constexpr int kCheckIntervalMs = 300;

  signals:
    void TitleChanged();

  private:
    void Recheck();

    Services services_;
    ProgramBaseline baseline_;
    QTimer checkTimer_;
    bool modified_ = false;
};
