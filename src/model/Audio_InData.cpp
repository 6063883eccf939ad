// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Audio_InData.h"

#include <algorithm>

#include "model/Archive.h"
#include "model/ChannelIndex.h"

namespace {

struct InputSetUp {
    const char* name;
    uint8_t linkSlot;
    Colour colour;
};

constexpr std::array<InputSetUp, 3> kInputSetUps{{
    {"A", 0, OpaqueColour(255, 0, 0)},
    {"B", 1, OpaqueColour(255, 255, 0)},
    {"C", 0, OpaqueColour(0, 255, 0)},
}};

// Record layout: row 0 the name, row 1 the levels, row 2 the crossover filters, then one row per
// band.
constexpr size_t kLevelOffset = 8;
constexpr size_t kAuxLevelOffset = 9;
constexpr size_t kEffectCodesOffset = 10;
constexpr size_t kBassAttenuationOffset = 14;
constexpr size_t kFeedbackModeOffset = 15;
constexpr size_t kCrossoverOffset = 16;
constexpr size_t kFirstBandOffset = 24;

const InputSetUp& SetUpFor(int channel) {
    return kInputSetUps.at(static_cast<size_t>(channel));
}
}  // namespace

CAudio_InData::CAudio_InData(int channel, std::pmr::memory_resource* memory)
    : chain_(channel == InputChannel::kMicrophone ? ChainLayout::MicrophoneInput
                                                  : ChainLayout::MusicInput,
             memory),
      name_(SetUpFor(channel).name),
      eqLayout_(channel == InputChannel::kMicrophone ? 2 : 1),
      linkSlot_(SetUpFor(channel).linkSlot),
      curveColour_(SetUpFor(channel).colour),
      markerColour_(SetUpFor(channel).colour) {}

void CAudio_InData::SetName(std::string_view text) {
    name_.Set(text);
    nameChanged_ = 1;
}

void CAudio_InData::SetLevel(uint8_t value) {
    level_ = value;
    paramsChanged_ = 1;
}

void CAudio_InData::SetAuxLevel(uint8_t value) {
    auxLevel_ = value;
    paramsChanged_ = 1;
}

void CAudio_InData::SetFeedbackMode(uint8_t value) {
    feedbackMode_ = value;
    paramsChanged_ = 1;
}

void CAudio_InData::SetBassAttenuation(uint8_t value) {
    bassAttenuation_ = value;
    paramsChanged_ = 1;
}

void CAudio_InData::SetGain(int32_t code) {
    gain_ = mute_ != 0 ? 0 : code;
    paramsChanged_ = 1;
}

void CAudio_InData::SetDelay(int32_t code) {
    delay_ = code;
    paramsChanged_ = 1;
}

void CAudio_InData::SetPolarity(uint8_t value) {
    polarity_ = value;
    paramsChanged_ = 1;
}

void CAudio_InData::SetMute(int32_t flag) {
    mute_ = flag;
    paramsChanged_ = 1;
}

void CAudio_InData::SetStoredByteA(uint8_t value) {
    storedByteA_ = value;
    paramsChanged_ = 1;
}

void CAudio_InData::SetStoredIntegerB(int32_t value) {
    storedIntegerB_ = value;
    paramsChanged_ = 1;
}

void CAudio_InData::SetStoredIntegerC(int32_t value) {
    storedIntegerC_ = value;
    paramsChanged_ = 1;
}

void CAudio_InData::SetStoredByteD(uint8_t value) {
    storedByteD_ = value;
    paramsChanged_ = 1;
}

uint8_t CAudio_InData::GetBassAttenuation() {
    bassAttenuation_ = std::min<uint8_t>(bassAttenuation_, kMaxBassAttenuation);
    return bassAttenuation_;
}

void CAudio_InData::SetAllBandsAllBypass(int flag) {
    for (int i = 0; i < chain_.GetCount(); ++i) {
        chain_.GetElement(i).SetAllBypass(flag);
    }
}

int32_t CAudio_InData::UpdateAllBypassed() {
    allBypassed_ = 1;
    for (int i = 0; i < chain_.GetCount(); ++i) {
        if (chain_.GetElement(i).GetBypassState() == 0) {
            allBypassed_ = 0;
        }
    }
    return allBypassed_;
}

CAudio_InData::Record CAudio_InData::BuildRecord() {
    name_.CopyTo(std::span(record_).first<ChannelName::kSize>());
    const DeviceRow crossover = chain_.EncodeCrossover();
    std::copy(crossover.begin(), crossover.end(), record_.begin() + kCrossoverOffset);
    record_[kLevelOffset] = mute_ != 0 ? 0 : level_;
    record_[kAuxLevelOffset] = auxLevel_;
    std::copy(effectCodes_.begin(), effectCodes_.end(), record_.begin() + kEffectCodesOffset);
    record_[kBassAttenuationOffset] = bassAttenuation_;
    record_[kFeedbackModeOffset] = feedbackMode_;
    for (int band = 0; band < chain_.GetBandCount(); ++band) {
        const DeviceRow row = chain_.GetElement(band).EncodeBand();
        std::copy(row.begin(), row.end(), record_.begin() + kFirstBandOffset + 8 * band);
    }
    return record_;
}

void CAudio_InData::LoadRecord(std::span<const uint8_t, kRecordSize> record) {
    name_.LoadFrom(record.first<ChannelName::kSize>());
    level_ = record[kLevelOffset];
    auxLevel_ = record[kAuxLevelOffset];
    feedbackMode_ = record[kFeedbackModeOffset];
    bassAttenuation_ = record[kBassAttenuationOffset];
    std::copy_n(record.begin() + kEffectCodesOffset, effectCodes_.size(), effectCodes_.begin());
    for (int band = 0; band < chain_.GetBandCount(); ++band) {
        chain_.GetElement(band).DecodeBand(record.subspan(kFirstBandOffset + 8 * band).first<8>());
        chain_.GetElement(band).Recalculate();
    }
    chain_.DecodeCrossover(record.subspan<kCrossoverOffset, 8>());
    UpdateCurve();
}

void CAudio_InData::Serialize(CArchive& archive) {
    std::string name = name_.Get();
    archive.String(name);
    archive.Byte(storedByteA_);
    archive.Byte(polarity_);
    archive.Int32(delay_);
    archive.Int32(gain_);
    archive.Byte(storedByteD_);
    archive.Int32(storedIntegerE_);
    archive.Byte(storedByteF_);
    archive.Byte(linkSlot_);
    archive.Byte(level_);
    archive.Byte(auxLevel_);
    archive.Int32(mute_);
    archive.Byte(feedbackMode_);
    archive.Byte(bassAttenuation_);
    for (uint8_t& code : effectCodes_) {
        archive.Byte(code);
    }
    chain_.Serialize(archive);
    if (archive.IsLoading()) {
        name_.Set(name);
        if (!archive.IsTrial()) {
            UpdateCurve();
        }
    }
}

void CAudio_InData::SetPlotRect(const PixelRect& plot) {
    curve_.SetPlotRect(plot, chain_, GainShiftDb());
}

void CAudio_InData::UpdateCurve() {
    curve_.Update(chain_, GainShiftDb());
}
