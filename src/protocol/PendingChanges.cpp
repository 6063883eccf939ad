// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/PendingChanges.h"

#include "model/Audio_Data.h"

namespace {
constexpr int kInputCount = 3;
constexpr int kOutputCount = 6;

bool HasDirtyElement(const CEQ& chain) {
    for (int element = 0; element < chain.GetCount(); ++element) {
        if (chain.GetElement(element).IsDirty() != 0) {
            return true;
        }
    }
    return false;
}
}  // namespace

bool HasPendingChange(const CAudio_Data& program) {
    for (int index = 0; index < kInputCount; ++index) {
        const CAudio_InData& input = program.GetInput(index);
        if (input.IsNameChanged() != 0 || input.IsParamsChanged() != 0 ||
            HasDirtyElement(input.GetChain())) {
            return true;
        }
    }
    const CAudio_EffectData& effect = program.GetEffect();
    if (effect.IsFirstRowChanged() != 0 || effect.IsSecondRowChanged() != 0 ||
        HasDirtyElement(effect.GetChain())) {
        return true;
    }
    for (int index = 0; index < kOutputCount; ++index) {
        const CAudio_OutData& output = program.GetOutput(index);
        if (output.IsNameChanged() != 0 || output.IsGainChanged() != 0 ||
            output.IsMixChanged() != 0 || HasDirtyElement(output.GetChain())) {
            return true;
        }
    }
    return false;
}
