// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/EditHistory.h"

#include "model/Audio_Data.h"
#include "protocol/SendDataQueue.h"

namespace {
constexpr BilingualText kUndo{"Undo", "撤销"};
constexpr BilingualText kRedo{"Redo", "重做"};

QString StepText(const BilingualText& verb, const ProgramChangeName* name, Language language) {
    const QString text = QString::fromUtf8(verb.In(language).data(),
                                           static_cast<qsizetype>(verb.In(language).size()));
    if (name == nullptr) {
        return text;
    }
    const std::string& what = language == Language::Chinese ? name->chinese : name->english;
    return text + QLatin1Char(' ') + QString::fromStdString(what);
}
}  // namespace

EditHistory::EditHistory(CAudio_Data& program, CSendDataQueue& queue, QObject* parent)
    : QObject(parent), program_(program), queue_(queue) {
    Reset();
}

void EditHistory::Reset() {
    {
        const auto guard = queue_.Lock();
        history_.Reset(TakeSnapshot(program_));
    }
    inGesture_ = false;
    emit Changed();
}

void EditHistory::Commit(std::optional<ProgramChangeName> name) {
    if (inGesture_) {
        return;
    }
    bool recorded = false;
    {
        const auto guard = queue_.Lock();
        recorded = history_.Commit(TakeSnapshot(program_), std::move(name));
    }
    if (recorded) {
        emit Changed();
    }
}

void EditHistory::BeginGesture() {
    inGesture_ = false;
    Commit();
    inGesture_ = true;
}

void EditHistory::EndGesture() {
    inGesture_ = false;
    Commit();
}

bool EditHistory::Undo() {
    // A drag still in progress ends here: its changes are a step of their own first.
    inGesture_ = false;
    Commit();
    return Restore(history_.Undo());
}

bool EditHistory::Redo() {
    inGesture_ = false;
    Commit();
    return Restore(history_.Redo());
}

bool EditHistory::Restore(std::optional<ProgramSnapshot> snapshot) {
    if (!snapshot) {
        return false;
    }
    {
        const auto guard = queue_.Lock();
        RestoreSnapshot(program_, *snapshot);
    }
    emit ProgramRestored();
    emit Changed();
    return true;
}

void EditHistory::CopyLiveToOther() {
    Commit();
    comparison_.CopyLiveToOther(history_.Current());
}

void EditHistory::SwitchSides() {
    inGesture_ = false;
    Commit();
    comparison_.Switch(history_);
    Restore(history_.Current());
    emit SideSwitched(comparison_.Live());
}

bool EditHistory::OtherSideHoldsAnotherProgram() {
    Commit();
    return comparison_.OtherDiffersFrom(history_.Current());
}

QString EditHistory::UndoText(Language language) const {
    return StepText(kUndo, history_.UndoName(), language);
}

QString EditHistory::RedoText(Language language) const {
    return StepText(kRedo, history_.RedoName(), language);
}
