// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/ChangeScanner.h"

#include <optional>

#include "model/Audio_Data.h"
#include "model/ChannelIndex.h"
#include "protocol/ProgramMessages.h"
#include "protocol/Requests.h"

namespace {
constexpr int kNameRow = 0;
constexpr int kInputParamsRow = 1;
constexpr int kCrossoverRow = 2;
constexpr int kFirstInputBandRow = 3;
constexpr int kEffectFirstRow = 19;
constexpr int kEffectSecondRow = 20;
constexpr int kEffectCrossoverRow = 21;
constexpr int kFirstEffectBandRow = 22;
constexpr int kOutputGainRow = 1;
constexpr int kOutputMixRow = 3;
constexpr int kFirstOutputBandRow = 4;

// Marks an element as sent: a band is clean, a crossover filter takes one
// octave step and may stay dirty.
void ConsumeElement(CFilter& element) {
    element.StepSentFrequency(0);
}

std::optional<int> FirstDirtyBand(CEQ& chain) {
    for (int band = 0; band < chain.GetBandCount(); ++band) {
        if (chain.GetElement(band).IsDirty()) {
            ConsumeElement(chain.GetElement(band));
            return band;
        }
    }
    return std::nullopt;
}

bool ConsumeDirtyCrossover(CEQ& chain) {
    for (CFilter* filter : {&chain.GetHighPass(), &chain.GetLowPass()}) {
        if (filter->IsDirty()) {
            ConsumeElement(*filter);
            return true;
        }
    }
    return false;
}

std::optional<int> InputRow(CAudio_InData& input) {
    if (input.IsNameChanged()) {
        input.SetNameChanged(0);
        return kNameRow;
    }
    if (input.IsParamsChanged()) {
        input.SetParamsChanged(0);
        return kInputParamsRow;
    }
    if (const std::optional<int> band = FirstDirtyBand(input.GetChain())) {
        return *band + kFirstInputBandRow;
    }
    if (ConsumeDirtyCrossover(input.GetChain())) {
        return kCrossoverRow;
    }
    return std::nullopt;
}

std::optional<int> EffectRow(CAudio_EffectData& effect) {
    if (effect.IsSecondRowChanged()) {
        effect.SetSecondRowChanged(0);
        return kEffectSecondRow;
    }
    if (effect.IsFirstRowChanged()) {
        effect.SetFirstRowChanged(0);
        return kEffectFirstRow;
    }
    if (const std::optional<int> band = FirstDirtyBand(effect.GetChain())) {
        return *band + kFirstEffectBandRow;
    }
    if (ConsumeDirtyCrossover(effect.GetChain())) {
        return kEffectCrossoverRow;
    }
    return std::nullopt;
}

std::optional<int> OutputRow(CAudio_OutData& output) {
    if (output.IsNameChanged()) {
        output.SetNameChanged(0);
        return kNameRow;
    }
    if (const std::optional<int> band = FirstDirtyBand(output.GetChain())) {
        return *band + kFirstOutputBandRow;
    }
    if (ConsumeDirtyCrossover(output.GetChain())) {
        return kCrossoverRow;
    }
    if (output.IsMixChanged()) {
        output.SetMixChanged(0);
        return kOutputMixRow;
    }
    if (output.IsGainChanged()) {
        output.SetGainChanged(0);
        return kOutputGainRow;
    }
    return std::nullopt;
}
}  // namespace

std::unique_ptr<CSendData> NextPendingMessage(CAudio_Data& program) {
    for (const int channel : {InputChannel::kMusicLeft, InputChannel::kMusicRight}) {
        if (const std::optional<int> row = InputRow(program.GetInput(channel))) {
            return BuildRowMessage(program, RowBlock::kMusicInput, channel, *row);
        }
    }
    if (const std::optional<int> row = InputRow(program.GetInput(InputChannel::kMicrophone))) {
        return BuildRowMessage(program, RowBlock::kMicrophone, InputChannel::kMicrophone, *row);
    }
    if (const std::optional<int> row = EffectRow(program.GetEffect())) {
        return BuildRowMessage(program, RowBlock::kEffect, 0, *row);
    }
    for (int channel = 0; channel < OutputKind::kCount; ++channel) {
        if (const std::optional<int> row = OutputRow(program.GetOutput(channel))) {
            return BuildRowMessage(program, RowBlock::kOutput, channel, *row);
        }
    }
    return BuildStatusPoll();
}

std::unique_ptr<CSendData> ProgramChangeSource::NextPendingMessage() {
    return ::NextPendingMessage(program_);
}
