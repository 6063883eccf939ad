// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/ReceivedDataLoading.h"

#include <span>

#include "model/Audio_Data.h"
#include "protocol/Command.h"
#include "protocol/ReceivedProgram.h"

void LoadReceivedProgram(CCommand& engine, CAudio_Data& program) {
    ProgramBlock block = engine.ReceivedBlockCopy();
    ForceFixedFilterFields(block);
    const auto guard = engine.Queue().Lock();
    program.LoadBlock(block);
}

void LoadReceivedEffectRecord(CCommand& engine, CAudio_Data& program) {
    ProgramBlock block = engine.ReceivedBlockCopy();
    ForceFixedFilterFields(block);
    const auto guard = engine.Queue().Lock();
    program.GetEffect().LoadRecord(std::span<const uint8_t, kEffectRecordSize>(
        block.data() + kEffectRecordOffset, kEffectRecordSize));
}
