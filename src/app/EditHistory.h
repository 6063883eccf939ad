// SPDX-License-Identifier: GPL-3.0-or-later
// Undo and redo for the editor: the view commits after every user edit and
// the history keeps one named step per edit; undo and redo put a kept program
// back through the change flags, so a connected device receives the rows that
// differ as it would after any edit.
//
// The constraint: a drag (on the graph or a slider) is one step however many
// small edits it makes, so commits inside a gesture wait for its end; and
// every snapshot is taken and restored under the queue lock, since the USB
// worker scans the program at any moment.
#pragma once

#include <QObject>
#include <QString>
#include <optional>

#include "curves/BilingualText.h"
#include "model/ProgramComparison.h"
#include "model/ProgramHistory.h"

class CAudio_Data;
class CSendDataQueue;

// Names of the steps the view makes itself rather than through a page.
inline const ProgramChangeName kFileLoadStep{"program loaded from file", "从文件载入程序"};
inline const ProgramChangeName kEffectGroupStep{"effect group", "效果组"};

class EditHistory : public QObject {
    Q_OBJECT
  public:
    EditHistory(CAudio_Data& program, CSendDataQueue& queue, QObject* parent = nullptr);

    // Forgets every step; the program as it is now is where history starts.
    void Reset();
    // Records what changed since the last step, named after it unless `name` is given.
    void Commit(std::optional<ProgramChangeName> name = std::nullopt);
    // Between these, commits are held back and made once at the end. Gestures
    // do not nest: a press whose release never came (a message box took the
    // mouse) is ended by the next press, as its own step.
    void BeginGesture();
    void EndGesture();

    bool CanUndo() const { return history_.CanUndo(); }
    bool CanRedo() const { return history_.CanRedo(); }
    // True when a step was taken back (or done again).
    bool Undo();
    bool Redo();

    // A/B comparison: which side is live, "copy A to B" (or B to A), and the
    // switch, which restores the other side through the change flags.
    CompareSide LiveSide() const { return comparison_.Live(); }
    void CopyLiveToOther();
    void SwitchSides();
    // The side not live holds a program of its own, which no file keeps.
    bool OtherSideHoldsAnotherProgram();

    // The menu texts: "Undo gain of band 5, output 2", or "Undo" with nothing to undo.
    QString UndoText(Language language) const;
    QString RedoText(Language language) const;

  signals:
    // The steps or their names changed.
    void Changed();
    // Undo, redo or an A/B switch replaced values of the program; the pages must show them.
    void ProgramRestored();
    // The live side of the comparison changed.
    void SideSwitched(CompareSide live);

  private:
    bool Restore(std::optional<ProgramSnapshot> snapshot);

    CAudio_Data& program_;
    CSendDataQueue& queue_;
    ProgramHistory history_;
    ProgramComparison comparison_;
    bool inGesture_ = false;
};
