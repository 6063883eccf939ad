// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Audio_Data.h"

#include <algorithm>

#include "model/Archive.h"

namespace {
template <size_t N>
void CopyInto(CAudio_Data::Block& image, size_t offset, const std::array<uint8_t, N>& record) {
    std::copy(record.begin(), record.end(), image.begin() + offset);
}

void StepEveryElement(CEQ& chain) {
    for (int i = 0; i < chain.GetCount(); ++i) {
        chain.GetElement(i).StepSentFrequency(0);
    }
}
}  // namespace

size_t CAudio_Data::ElementBytes() {
    const int elements = 2 * CEQ::ElementCount(ChainLayout::MusicInput) +
                         CEQ::ElementCount(ChainLayout::MicrophoneInput) +
                         CAudio_OutRoute::kCount * CEQ::ElementCount(ChainLayout::Output) +
                         CEQ::ElementCount(ChainLayout::Effect);
    // Spare room for the resource's own bookkeeping and each chain's alignment.
    constexpr size_t kSpare = 256;
    return static_cast<size_t>(elements) * sizeof(CFilter) + kSpare;
}

void CAudio_Data::BuildInputRecord(int index) {
    CopyInto(image_, InputRecordOffset(index), GetInput(index).BuildRecord());
}

void CAudio_Data::BuildOutputRecord(int index) {
    CopyInto(image_, OutputRecordOffset(index), GetOutput(index).BuildRecord());
}

void CAudio_Data::BuildEffectRecord() {
    CopyInto(image_, kEffectRecordOffset, GetEffect().BuildRecord());
}

void CAudio_Data::BuildImage() {
    for (int i = 0; i < CAudio_InRoute::kCount; ++i) {
        BuildInputRecord(i);
    }
    BuildEffectRecord();
    for (int i = 0; i < CAudio_OutRoute::kCount; ++i) {
        BuildOutputRecord(i);
    }
}

void CAudio_Data::LoadBlock(std::span<const uint8_t, kBlockSize> block) {
    std::copy(block.begin(), block.end(), image_.begin());
    for (int i = 0; i < CAudio_InRoute::kCount; ++i) {
        GetInput(i).LoadRecord(
            block.subspan(InputRecordOffset(i)).first<CAudio_InData::kRecordSize>());
    }
    GetEffect().LoadRecord(
        block.subspan(kEffectRecordOffset).first<CAudio_EffectData::kRecordSize>());
    for (int i = 0; i < CAudio_OutRoute::kCount; ++i) {
        GetOutput(i).LoadRecord(
            block.subspan(OutputRecordOffset(i)).first<CAudio_OutData::kRecordSize>());
    }
}

void CAudio_Data::ClearPendingChanges() {
    for (CAudio_InData& input : inputs_) {
        input.SetParamsChanged(0);
        input.SetNameChanged(0);
        StepEveryElement(input.GetChain());
    }
    for (CAudio_EffectData& effect : effects_) {
        effect.SetFirstRowChanged(0);
        effect.SetSecondRowChanged(0);
        effect.SetModeChanged(0);
        StepEveryElement(effect.GetChain());
    }
    for (CAudio_OutData& output : outputs_) {
        output.SetNameChanged(0);
        output.SetMiscChanged(0);
        output.SetThirdChanged(0);
        output.SetGainChanged(0);
        output.SetMixChanged(0);
        StepEveryElement(output.GetChain());
    }
}

void CAudio_Data::ResetOutputLinks() {
    GetOutputLinks().Reset();
}

void CAudio_Data::LinkOutputs(int first, int second, bool linked) {
    COutputLinkTable& links = GetOutputLinks();
    if (!linked) {
        links.SetGroup(first, first);
        links.SetGroup(second, second);
        return;
    }
    links.SetGroup(first, first);
    links.SetGroup(second, first);
    CAudio_OutData& follower = GetOutput(second);
    follower.CopyLinkedFrom(GetOutput(first));
    follower.UpdateCurve();
}

void CAudio_Data::Serialize(CArchive& archive) {
    archive.String(name_);
    for (CAudio_InData& input : inputs_) {
        input.Serialize(archive);
    }
    for (CAudio_OutData& output : outputs_) {
        output.Serialize(archive);
    }
    for (CAudio_EffectData& effect : effects_) {
        effect.Serialize(archive);
    }
}

void CAudio_Data::SetPlotRect(const PixelRect& plot) {
    for (CAudio_InData& input : inputs_) {
        input.SetPlotRect(plot);
    }
    for (CAudio_OutData& output : outputs_) {
        output.SetPlotRect(plot);
    }
    for (CAudio_EffectData& effect : effects_) {
        effect.SetPlotRect(plot);
    }
}
