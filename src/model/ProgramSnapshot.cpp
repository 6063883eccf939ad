// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ProgramSnapshot.h"

#include <algorithm>
#include <functional>
#include <initializer_list>

#include "model/Audio_Data.h"
#include "model/ProgramFields.h"
#include "model/ProgramFile.h"

namespace {
constexpr size_t kRowSize = 8;
// Rows inside a record, as the change scanner sends them.
constexpr size_t kNameRow = 0;
constexpr size_t kInputParamsRow = 1;
constexpr size_t kCrossoverRow = 2;
constexpr size_t kFirstInputBandRow = 3;
constexpr size_t kEffectFirstRow = 0;
constexpr size_t kEffectSecondRow = 1;
constexpr size_t kFirstEffectBandRow = 3;
constexpr size_t kOutputGainRow = 1;
constexpr size_t kOutputMixRow = 3;
constexpr size_t kFirstOutputBandRow = 4;

using Image = std::array<uint8_t, CAudio_Data::kImageSize>;

void ForEachChain(CAudio_Data& program, const std::function<void(CEQ&)>& visit) {
    for (CAudio_InData& input : program.GetInputs()) {
        visit(input.GetChain());
    }
    visit(program.GetEffect().GetChain());
    for (CAudio_OutData& output : program.GetOutputs()) {
        visit(output.GetChain());
    }
}

// Every change flag of the program, in a fixed order, so that they can be put back.
std::vector<int32_t> SaveChangeFlags(CAudio_Data& program) {
    std::vector<int32_t> flags;
    // One value at a time: GCC 12 at -O3 misreads a range insert here as an
    // overflow and would stop a Release build with warnings as errors.
    const auto append = [&flags](std::initializer_list<int32_t> values) {
        for (const int32_t value : values) {
            flags.push_back(value);
        }
    };
    for (CAudio_InData& input : program.GetInputs()) {
        append({input.IsParamsChanged(), input.IsNameChanged()});
    }
    CAudio_EffectData& effect = program.GetEffect();
    append({effect.IsFirstRowChanged(), effect.IsSecondRowChanged(), effect.IsModeChanged()});
    for (CAudio_OutData& output : program.GetOutputs()) {
        append({output.IsNameChanged(), output.IsMiscChanged(), output.IsThirdChanged(),
                output.IsGainChanged(), output.IsMixChanged()});
    }
    ForEachChain(program, [&flags](CEQ& chain) {
        for (int i = 0; i < chain.GetCount(); ++i) {
            flags.push_back(chain.GetElement(i).IsDirty());
        }
    });
    return flags;
}

// Raises again every flag that was raised in `flags`; none is lowered.
void RaiseChangeFlags(CAudio_Data& program, const std::vector<int32_t>& flags) {
    auto next = flags.begin();
    auto raise = [&next](int32_t current, const std::function<void(int32_t)>& set) {
        if (*next++ != 0 && current == 0) {
            set(1);
        }
    };
    for (CAudio_InData& input : program.GetInputs()) {
        raise(input.IsParamsChanged(), [&](int32_t f) { input.SetParamsChanged(f); });
        raise(input.IsNameChanged(), [&](int32_t f) { input.SetNameChanged(f); });
    }
    CAudio_EffectData& effect = program.GetEffect();
    raise(effect.IsFirstRowChanged(), [&](int32_t f) { effect.SetFirstRowChanged(f); });
    raise(effect.IsSecondRowChanged(), [&](int32_t f) { effect.SetSecondRowChanged(f); });
    raise(effect.IsModeChanged(), [&](int32_t f) { effect.SetModeChanged(f); });
    for (CAudio_OutData& output : program.GetOutputs()) {
        raise(output.IsNameChanged(), [&](int32_t f) { output.SetNameChanged(f); });
        raise(output.IsMiscChanged(), [&](int32_t f) { output.SetMiscChanged(f); });
        raise(output.IsThirdChanged(), [&](int32_t f) { output.SetThirdChanged(f); });
        raise(output.IsGainChanged(), [&](int32_t f) { output.SetGainChanged(f); });
        raise(output.IsMixChanged(), [&](int32_t f) { output.SetMixChanged(f); });
    }
    ForEachChain(program, [&raise](CEQ& chain) {
        for (int i = 0; i < chain.GetCount(); ++i) {
            CFilter& element = chain.GetElement(i);
            raise(element.IsDirty(), [&](int32_t f) { element.SetDirty(f); });
        }
    });
}

// Crossover filters only: a band's sent frequency plays no part.
std::vector<int> SaveSentFrequencies(CAudio_Data& program) {
    std::vector<int> sent;
    ForEachChain(program, [&sent](CEQ& chain) {
        sent.push_back(chain.GetHighPass().GetSentFrequency());
        sent.push_back(chain.GetLowPass().GetSentFrequency());
    });
    return sent;
}

void PutSentFrequencies(CAudio_Data& program, const std::vector<int>& sent) {
    auto next = sent.begin();
    ForEachChain(program, [&next](CEQ& chain) {
        chain.GetHighPass().SetSentFrequency(*next++);
        chain.GetLowPass().SetSentFrequency(*next++);
    });
}

// A crossover the device does not have yet steps towards it as after any edit.
void FlagUnsentCrossovers(CAudio_Data& program) {
    ForEachChain(program, [](CEQ& chain) {
        for (CFilter* filter : {&chain.GetHighPass(), &chain.GetLowPass()}) {
            if (filter->GetFrequency() != filter->GetSentFrequency()) {
                filter->SetDirty(1);
            }
        }
    });
}

Image BuildDeviceImage(CAudio_Data& program) {
    program.BuildImage();
    Image image{};
    std::copy_n(program.GetImage().begin(), image.size(), image.begin());
    return image;
}

bool RowDiffers(const Image& before, const Image& after, size_t recordOffset, size_t row,
                size_t from = 0, size_t to = kRowSize) {
    const size_t start = recordOffset + row * kRowSize;
    return !std::equal(before.begin() + start + from, before.begin() + start + to,
                       after.begin() + start + from);
}

void FlagCrossover(CEQ& chain, const Image& before, const Image& after, size_t recordOffset) {
    if (RowDiffers(before, after, recordOffset, kCrossoverRow, 0, kRowSize / 2)) {
        chain.GetHighPass().SetDirty(1);
    }
    if (RowDiffers(before, after, recordOffset, kCrossoverRow, kRowSize / 2, kRowSize)) {
        chain.GetLowPass().SetDirty(1);
    }
}

void FlagBands(CEQ& chain, const Image& before, const Image& after, size_t recordOffset,
               size_t firstBandRow) {
    for (int band = 0; band < chain.GetBandCount(); ++band) {
        if (RowDiffers(before, after, recordOffset, firstBandRow + static_cast<size_t>(band))) {
            chain.GetElement(band).SetDirty(1);
        }
    }
}

void FlagDifferingRows(CAudio_Data& program, const Image& before, const Image& after) {
    for (int index = 0; index < CAudio_InRoute::kCount; ++index) {
        CAudio_InData& input = program.GetInput(index);
        const size_t offset = CAudio_Data::InputRecordOffset(index);
        if (RowDiffers(before, after, offset, kNameRow)) {
            input.SetNameChanged(1);
        }
        if (RowDiffers(before, after, offset, kInputParamsRow)) {
            input.SetParamsChanged(1);
        }
        FlagCrossover(input.GetChain(), before, after, offset);
        FlagBands(input.GetChain(), before, after, offset, kFirstInputBandRow);
    }
    CAudio_EffectData& effect = program.GetEffect();
    const size_t effectOffset = CAudio_Data::kEffectRecordOffset;
    if (RowDiffers(before, after, effectOffset, kEffectFirstRow)) {
        effect.SetFirstRowChanged(1);
    }
    if (RowDiffers(before, after, effectOffset, kEffectSecondRow)) {
        effect.SetSecondRowChanged(1);
    }
    FlagCrossover(effect.GetChain(), before, after, effectOffset);
    FlagBands(effect.GetChain(), before, after, effectOffset, kFirstEffectBandRow);
    for (int index = 0; index < CAudio_OutRoute::kCount; ++index) {
        CAudio_OutData& output = program.GetOutput(index);
        const size_t offset = CAudio_Data::OutputRecordOffset(index);
        if (RowDiffers(before, after, offset, kNameRow)) {
            output.SetNameChanged(1);
        }
        if (RowDiffers(before, after, offset, kOutputGainRow)) {
            output.SetGainChanged(1);
        }
        if (RowDiffers(before, after, offset, kOutputMixRow)) {
            output.SetMixChanged(1);
        }
        FlagCrossover(output.GetChain(), before, after, offset);
        FlagBands(output.GetChain(), before, after, offset, kFirstOutputBandRow);
    }
}
}  // namespace

ProgramSnapshot TakeSnapshot(CAudio_Data& program) {
    ProgramSnapshot snapshot;
    const std::vector<int> sent = SaveSentFrequencies(program);
    // The sent frequency is where the device is on its way, not part of the program.
    ForEachChain(program, [](CEQ& chain) {
        for (CFilter* filter : {&chain.GetHighPass(), &chain.GetLowPass()}) {
            filter->SetSentFrequency(filter->GetFrequency());
        }
    });
    snapshot.archive = SerializeProgram(program);
    PutSentFrequencies(program, sent);
    for (int index = 0; index < COutputLinkTable::kOutputCount; ++index) {
        snapshot.linkGroups[static_cast<size_t>(index)] = program.GetOutputLinks().GetGroup(index);
    }
    snapshot.fields = ReadProgramFields(program);
    return snapshot;
}

void RestoreSnapshot(CAudio_Data& program, const ProgramSnapshot& snapshot) {
    const Image before = BuildDeviceImage(program);
    const std::vector<int32_t> pending = SaveChangeFlags(program);
    const std::vector<int> sent = SaveSentFrequencies(program);
    if (!DeserializeProgram(snapshot.archive, program)) {
        return;
    }
    for (int index = 0; index < COutputLinkTable::kOutputCount; ++index) {
        program.GetOutputLinks().SetGroup(index, snapshot.linkGroups[static_cast<size_t>(index)]);
    }
    PutSentFrequencies(program, sent);
    const Image after = BuildDeviceImage(program);
    FlagDifferingRows(program, before, after);
    RaiseChangeFlags(program, pending);
    FlagUnsentCrossovers(program);
}
