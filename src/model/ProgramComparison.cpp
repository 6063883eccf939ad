// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ProgramComparison.h"

#include <utility>

void ProgramComparison::CopyLiveToOther(const ProgramSnapshot& live) {
    other_.Reset(live);
    otherKept_ = true;
}

void ProgramComparison::Switch(ProgramHistory& liveHistory) {
    if (!otherKept_) {
        CopyLiveToOther(liveHistory.Current());
    }
    std::swap(liveHistory, other_);
    live_ = Other();
}
