// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Audio_EffectData.h"

#include <algorithm>

#include "model/Archive.h"

namespace {
constexpr int kParamsPerRow = 8;
constexpr size_t kCrossoverOffset = 16;
constexpr size_t kFirstBandOffset = 24;
}  // namespace

CAudio_EffectData::CAudio_EffectData(std::pmr::memory_resource* memory)
    : chain_(ChainLayout::Effect, memory) {}

void CAudio_EffectData::SetEffectParam(int index, uint8_t value) {
    effectParams_.at(index) = value;
    if (index < kParamsPerRow) {
        firstRowChanged_ = 1;
    } else {
        secondRowChanged_ = 1;
    }
}

void CAudio_EffectData::SetEffectMode(uint8_t mode) {
    effectMode_ = mode;
    modeChanged_ = 1;
}

void CAudio_EffectData::SetAllBandsAllBypass(int flag) {
    for (int i = 0; i < chain_.GetCount(); ++i) {
        chain_.GetElement(i).SetAllBypass(flag);
    }
}

int32_t CAudio_EffectData::UpdateAllBypassed() {
    allBypassed_ = chain_.AllBandsBypassed();
    return allBypassed_;
}

CAudio_EffectData::Record CAudio_EffectData::BuildRecord() {
    std::copy(effectParams_.begin(), effectParams_.end(), record_.begin());
    const DeviceRow crossover = chain_.EncodeCrossover();
    std::copy(crossover.begin(), crossover.end(), record_.begin() + kCrossoverOffset);
    for (int band = 0; band < chain_.GetBandCount(); ++band) {
        const DeviceRow row = chain_.GetElement(band).EncodeBand();
        std::copy(row.begin(), row.end(), record_.begin() + kFirstBandOffset + 8 * band);
    }
    return record_;
}

void CAudio_EffectData::LoadRecord(std::span<const uint8_t, kRecordSize> record) {
    std::copy_n(record.begin(), effectParams_.size(), effectParams_.begin());
    for (int band = 0; band < chain_.GetBandCount(); ++band) {
        chain_.GetElement(band).DecodeBand(record.subspan(kFirstBandOffset + 8 * band).first<8>());
        chain_.GetElement(band).Recalculate();
    }
    chain_.DecodeCrossover(record.subspan<kCrossoverOffset, 8>());
    UpdateCurve();
}

void CAudio_EffectData::Serialize(CArchive& archive) {
    for (int i = EffectParam::kReverbDirect; i <= EffectParam::kOutputLevel; ++i) {
        archive.Byte(effectParams_[i]);
    }
    archive.Int32(effectMute_);
    archive.Byte(effectParams_[EffectParam::kEchoHighRatio]);
    archive.Byte(effectMode_);
    for (int i = EffectParam::kLeftEchoDelay; i < EffectParam::kCount; ++i) {
        archive.Byte(effectParams_[i]);
    }
    chain_.Serialize(archive);
    if (archive.IsLoading() && !archive.IsTrial()) {
        UpdateCurve();
    }
}

void CAudio_EffectData::SetPlotRect(const PixelRect& plot) {
    curve_.SetPlotRect(plot, chain_, 0.0);
}

void CAudio_EffectData::UpdateCurve() {
    curve_.Update(chain_, 0.0);
}
