// SPDX-License-Identifier: GPL-3.0-or-later
// A/B comparison: the editor keeps a second program beside the live one, each
// with its own undo history, and switches between them. Switching hands the
// live side's history in and takes the other side's out; whoever owns the
// live program then restores the new side's current snapshot, which flags
// only the rows that differ.
//
// The constraint: before anything was copied to it, the other side is the
// live program itself, so a first switch changes nothing on the device.
#pragma once

#include "model/ProgramHistory.h"

enum class CompareSide { A, B };

class ProgramComparison {
  public:
    CompareSide Live() const { return live_; }
    CompareSide Other() const { return live_ == CompareSide::A ? CompareSide::B : CompareSide::A; }

    // The other side becomes a copy of `live`, with a history that starts there.
    void CopyLiveToOther(const ProgramSnapshot& live);
    // Exchanges `liveHistory` (the live side's) with the other side's; afterwards
    // `liveHistory` is the history of the side now live, whose current snapshot
    // is the program to restore.
    void Switch(ProgramHistory& liveHistory);
    // True when the other side was kept and holds a program other than `live`.
    bool OtherDiffersFrom(const ProgramSnapshot& live) const {
        return otherKept_ && !(other_.Current() == live);
    }

  private:
    CompareSide live_ = CompareSide::A;
    bool otherKept_ = false;
    ProgramHistory other_;
};
