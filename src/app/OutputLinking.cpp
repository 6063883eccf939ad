// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/OutputLinking.h"

#include "app/AppState.h"
#include "model/Audio_Data.h"
#include "model/ChannelIndex.h"

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
    if (links.GetGroup(OutputKind::kMainLeft) == links.GetGroup(OutputKind::kMainRight) &&
        currentPage == kFirstOutputPage + OutputKind::kMainRight) {
        return kFirstOutputPage + OutputKind::kMainLeft;
    }
    if (links.GetGroup(OutputKind::kSurroundLeft) == links.GetGroup(OutputKind::kSurroundRight) &&
        currentPage == kFirstOutputPage + OutputKind::kSurroundRight) {
        return kFirstOutputPage + OutputKind::kSurroundLeft;
    }
    return std::nullopt;
}
