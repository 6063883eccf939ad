// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's undo and redo: a line of program snapshots, one per user edit,
// each named after what it changed. The history only keeps snapshots and
// names; whoever owns the live program takes and restores them (under the
// queue lock) and tells the history what happened.
//
// The constraint: a commit that changed nothing is no step, so callers may
// commit after anything that might have been an edit.
#pragma once

#include <optional>
#include <vector>

#include "model/ProgramFields.h"
#include "model/ProgramSnapshot.h"

class ProgramHistory {
  public:
    // Starts a new history at `current`, forgetting every step.
    void Reset(ProgramSnapshot current);

    // Records the step from the current snapshot to `after`; `name` overrides the name
    // the difference would give. Returns false, recording nothing, when nothing changed.
    bool Commit(ProgramSnapshot after, std::optional<ProgramChangeName> name = std::nullopt);

    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }
    // The name of the step Undo / Redo would take back or do again.
    const ProgramChangeName* UndoName() const;
    const ProgramChangeName* RedoName() const;

    // The snapshot to restore for Undo / Redo, which becomes the current one;
    // nothing when there is no such step.
    std::optional<ProgramSnapshot> Undo();
    std::optional<ProgramSnapshot> Redo();

    const ProgramSnapshot& Current() const { return current_; }
    size_t UndoDepth() const { return undo_.size(); }

    // Beyond this many steps the oldest are forgotten.
    static constexpr size_t kMaxSteps = 200;

  private:
    struct Step {
        ProgramChangeName name;
        ProgramSnapshot snapshot;
    };

    ProgramSnapshot current_;
    std::vector<Step> undo_;
    std::vector<Step> redo_;
};
