// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/OutputLinkTable.h"

COutputLinkTable::COutputLinkTable() {
    Reset();
}

void COutputLinkTable::Attach(int index, CAudio_OutData* output) {
    outputs_.at(index) = output;
}

void COutputLinkTable::Reset() {
    for (int i = 0; i < kOutputCount; ++i) {
        groups_[i] = i;
    }
}

void COutputLinkTable::ForEachPartner(int index,
                                      const std::function<void(CAudio_OutData&)>& visit) const {
    const int group = groups_.at(index);
    for (int i = 0; i < kOutputCount; ++i) {
        if (i != index && groups_[i] == group && outputs_[i] != nullptr) {
            visit(*outputs_[i]);
        }
    }
}
