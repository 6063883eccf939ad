// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ProgramHistory.h"

void ProgramHistory::Reset(ProgramSnapshot current) {
    current_ = std::move(current);
    undo_.clear();
    redo_.clear();
}

bool ProgramHistory::Commit(ProgramSnapshot after, std::optional<ProgramChangeName> name) {
    if (after == current_) {
        return false;
    }
    ProgramChangeName stepName =
        name ? std::move(*name) : NameChange(DifferingFields(current_.fields, after.fields));
    undo_.push_back({std::move(stepName), std::move(current_)});
    if (undo_.size() > kMaxSteps) {
        undo_.erase(undo_.begin());
    }
    redo_.clear();
    current_ = std::move(after);
    return true;
}

const ProgramChangeName* ProgramHistory::UndoName() const {
    return undo_.empty() ? nullptr : &undo_.back().name;
}

const ProgramChangeName* ProgramHistory::RedoName() const {
    return redo_.empty() ? nullptr : &redo_.back().name;
}

std::optional<ProgramSnapshot> ProgramHistory::Undo() {
    if (undo_.empty()) {
        return std::nullopt;
    }
    Step step = std::move(undo_.back());
    undo_.pop_back();
    redo_.push_back({step.name, current_});
    current_ = std::move(step.snapshot);
    return current_;
}

std::optional<ProgramSnapshot> ProgramHistory::Redo() {
    if (redo_.empty()) {
        return std::nullopt;
    }
    Step step = std::move(redo_.back());
    redo_.pop_back();
    undo_.push_back({step.name, current_});
    current_ = std::move(step.snapshot);
    return current_;
}
