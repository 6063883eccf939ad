// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/OutputLinking.h"

#include "app/AppState.h"
#include "model/Audio_Data.h"

namespace {
constexpr int kMainLeft = 0;
constexpr int kMainRight = 1;
constexpr int kSurroundLeft = 4;
constexpr int kSurroundRight = 5;
}  // namespace

bool JoinOutputLinkGroup(CAudio_Data& program, int sourceGroup, int targetOutput) {
    COutputLinkTable& links = program.GetOutputLinks();
    links.SetGroup(targetOutput, sourceGroup);
    for (int output = 0; output < COutputLinkTable::kOutputCount; ++output) {
        if (output == targetOutput || links.GetGroup(output) != sourceGroup) {
            continue;
        }
        CAudio_OutData& target = program.GetOutput(targetOutput);
        target.CopyLinkedFrom(program.GetOutput(output));
        target.UpdateCurve();
        return true;
    }
    return false;
}

std::optional<int> PageAfterLinking(const COutputLinkTable& links, int currentPage) {
    if (links.GetGroup(kMainLeft) == links.GetGroup(kMainRight) &&
        currentPage == kFirstOutputPage + kMainRight) {
        return kFirstOutputPage + kMainLeft;
    }
    if (links.GetGroup(kSurroundLeft) == links.GetGroup(kSurroundRight) &&
        currentPage == kFirstOutputPage + kSurroundRight) {
        return kFirstOutputPage + kSurroundLeft;
    }
    return std::nullopt;
}
