// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Audio_OutData.h"

#include <algorithm>

#include "model/Archive.h"
#include "model/OutputLinkTable.h"

namespace {
constexpr std::array<Colour, 6> kOutputColours{
    OpaqueColour(0, 0, 255),     OpaqueColour(255, 0, 255),   OpaqueColour(255, 255, 196),
    OpaqueColour(255, 128, 128), OpaqueColour(128, 255, 255), OpaqueColour(128, 128, 255),
};

// Record layout: row 0 the name, row 1 limiter, delay and gain, row 2 the crossover filters,
// row 3 the mix, then one row per band.
constexpr size_t kThresholdOffset = 8;
constexpr size_t kAttackOffset = 10;
constexpr size_t kReleaseOffset = 11;
constexpr size_t kDelayOffset = 12;
constexpr size_t kGainOffset = 14;
constexpr size_t kUnusedOffset = 15;
constexpr size_t kCrossoverOffset = 16;
constexpr size_t kMixOffset = 24;
constexpr size_t kSwitchOffset = 28;
constexpr size_t kFirstBandOffset = 32;

bool IsLeftKind(int kind) {
    return kind == OutputKind::kMainLeft || kind == OutputKind::kSurroundLeft;
}
bool IsRightKind(int kind) {
    return kind == OutputKind::kMainRight || kind == OutputKind::kSurroundRight;
}

void PutInt16(std::span<uint8_t> out, int32_t value) {
    out[0] = static_cast<uint8_t>(value);
    out[1] = static_cast<uint8_t>(value >> 8);
}

int32_t GetSignedInt16(std::span<const uint8_t> in) {
    return static_cast<int16_t>(static_cast<uint16_t>(in[0] | (in[1] << 8)));
}
}  // namespace

CAudio_OutData::CAudio_OutData(int index, COutputLinkTable* links,
                               std::pmr::memory_resource* memory)
    : chain_(ChainLayout::Output, memory),
      name_(std::to_string(index + 1)),
      markerColour_(kOutputColours.at(static_cast<size_t>(index))),
      curveColour_(kOutputColours.at(static_cast<size_t>(index))),
      index_(index),
      links_(links) {
    SetOutputKind(index);
    if (links_ != nullptr) {
        links_->Attach(index_, this);
    }
}

void CAudio_OutData::SetName(std::string_view text) {
    name_.Set(text);
    nameChanged_ = 1;
}

void CAudio_OutData::SetGain(int32_t code) {
    gain_ = code;
    UpdateCurve();
    GainSetChanged();
}

void CAudio_OutData::SetDelay(int32_t code) {
    delay_ = code;
    GainSetChanged();
}

void CAudio_OutData::SetLimiterThreshold(int32_t code) {
    limiterThreshold_ = code;
    GainSetChanged();
}

void CAudio_OutData::SetLimiterAttack(int32_t code) {
    limiterAttack_ = code;
    GainSetChanged();
}

void CAudio_OutData::SetLimiterRelease(int32_t code) {
    limiterRelease_ = code;
    GainSetChanged();
}

void CAudio_OutData::GainSetChanged() {
    gainChanged_ = 1;
    if (links_ == nullptr) {
        return;
    }
    links_->ForEachPartner(index_, [this](CAudio_OutData& partner) {
        partner.limiterThreshold_ = limiterThreshold_;
        partner.limiterAttack_ = limiterAttack_;
        partner.limiterRelease_ = limiterRelease_;
        partner.gain_ = gain_;
        partner.delay_ = delay_;
        partner.gainChanged_ = 1;
    });
}

void CAudio_OutData::SetMixMic(uint8_t level) {
    if (!IsRightKind(outputKind_)) {
        mixMicL_ = level;
    }
    if (!IsLeftKind(outputKind_)) {
        mixMicR_ = level;
    }
    MixSetChanged();
}

void CAudio_OutData::SetMixMicBoth(uint8_t level) {
    mixMicL_ = level;
    mixMicR_ = level;
    MixSetChanged();
}

void CAudio_OutData::SetMixMusic(uint8_t level) {
    if (!IsRightKind(outputKind_)) {
        mixMusicL_ = level;
    }
    if (!IsLeftKind(outputKind_)) {
        mixMusicR_ = level;
    }
    MixSetChanged();
}

void CAudio_OutData::SetMixMusicBoth(uint8_t level) {
    mixMusicL_ = level;
    mixMusicR_ = level;
    MixSetChanged();
}

void CAudio_OutData::SetMicOn(int32_t flag) {
    micOnL_ = flag;
    micOnR_ = flag;
    MixSetChanged();
}

void CAudio_OutData::SetMusicOn(int32_t flag) {
    musicOnL_ = flag;
    musicOnR_ = flag;
    MixSetChanged();
}

void CAudio_OutData::MixSetChanged() {
    mixChanged_ = 1;
    if (links_ == nullptr) {
        return;
    }
    links_->ForEachPartner(index_, [this](CAudio_OutData& partner) {
        partner.TakeMixFrom(*this);
        partner.musicOnL_ = musicOnL_;
        partner.musicOnR_ = musicOnL_;
        partner.micOnL_ = micOnL_;
        partner.micOnR_ = micOnL_;
        partner.mixChanged_ = 1;
    });
}

void CAudio_OutData::TakeMixFrom(const CAudio_OutData& source) {
    if (IsLeftKind(outputKind_)) {
        mixMusicL_ = source.mixMusicR_;
        mixMicL_ = source.mixMicR_;
    } else if (IsRightKind(outputKind_)) {
        mixMusicR_ = source.mixMusicL_;
        mixMicR_ = source.mixMicL_;
    } else {
        mixMicL_ = source.mixMicL_;
        mixMicR_ = source.mixMicR_;
        mixMusicL_ = source.mixMusicL_;
        mixMusicR_ = source.mixMusicR_;
    }
}

uint8_t CAudio_OutData::GetMixMic() const {
    return IsRightKind(outputKind_) ? mixMicR_ : mixMicL_;
}

uint8_t CAudio_OutData::GetMixMusic() const {
    return IsRightKind(outputKind_) ? mixMusicR_ : mixMusicL_;
}

void CAudio_OutData::SetStoredByteC(uint8_t value) {
    storedByteC_ = value;
    miscChanged_ = 1;
}

void CAudio_OutData::SetPolarity(uint8_t value) {
    polarity_ = value;
    miscChanged_ = 1;
}

void CAudio_OutData::SetSwitchBits(uint8_t value) {
    switchBits_ = value;
    miscChanged_ = 1;
}

void CAudio_OutData::SetStoredIntegerD(int32_t value) {
    storedIntegerD_ = value;
    miscChanged_ = 1;
}

void CAudio_OutData::SetOutputKind(int kind) {
    outputKind_ = static_cast<uint8_t>(kind);
    struct MixDefaults {
        uint8_t micL, micR, musicL, musicR;
    };
    static constexpr std::array<MixDefaults, 6> kDefaults{{
        {99, 0, 99, 0},
        {0, 99, 0, 99},
        {99, 99, 50, 50},
        {0, 0, 99, 99},
        {99, 0, 99, 0},
        {0, 99, 0, 99},
    }};
    if (kind < 0 || kind >= static_cast<int>(kDefaults.size())) {
        return;
    }
    const MixDefaults& mix = kDefaults[static_cast<size_t>(kind)];
    mixMicL_ = mix.micL;
    mixMicR_ = mix.micR;
    mixMusicL_ = mix.musicL;
    mixMusicR_ = mix.musicR;
}

void CAudio_OutData::CopyLinkedFrom(const CAudio_OutData& source) {
    polarity_ = source.polarity_;
    delay_ = source.delay_;
    gain_ = source.gain_;
    TakeMixFrom(source);
    musicOnL_ = source.musicOnL_;
    musicOnR_ = source.musicOnR_;
    micOnL_ = source.micOnL_;
    micOnR_ = source.micOnR_;
    chain_.CopyFrom(source.chain_);
    limiterThreshold_ = source.limiterThreshold_;
    limiterAttack_ = source.limiterAttack_;
    limiterRelease_ = source.limiterRelease_;
}

void CAudio_OutData::SetAllBandsAllBypass(int flag) {
    for (int band = 0; band < chain_.GetBandCount(); ++band) {
        chain_.GetElement(band).SetAllBypass(flag);
    }
}

int32_t CAudio_OutData::UpdateAllBypassed() {
    allBypassed_ = chain_.AllBandsBypassed();
    return allBypassed_;
}

CAudio_OutData::Record CAudio_OutData::BuildRecord() {
    std::span<uint8_t, kRecordSize> record(record_);
    name_.CopyTo(record.first<ChannelName::kSize>());
    record[kMixOffset + 0] = mixMicL_;
    record[kMixOffset + 1] = mixMicR_;
    record[kMixOffset + 2] = mixMusicL_;
    record[kMixOffset + 3] = mixMusicR_;
    record[kSwitchOffset + 0] = static_cast<uint8_t>(micOnL_);
    record[kSwitchOffset + 1] = static_cast<uint8_t>(micOnR_);
    record[kSwitchOffset + 2] = static_cast<uint8_t>(musicOnL_);
    record[kSwitchOffset + 3] = static_cast<uint8_t>(musicOnR_);
    const DeviceRow crossover = chain_.EncodeCrossover();
    std::copy(crossover.begin(), crossover.end(), record.begin() + kCrossoverOffset);
    PutInt16(record.subspan(kThresholdOffset, 2), limiterThreshold_);
    record[kAttackOffset] = static_cast<uint8_t>(limiterAttack_);
    record[kReleaseOffset] = static_cast<uint8_t>(limiterRelease_);
    PutInt16(record.subspan(kDelayOffset, 2), delay_);
    record[kGainOffset] = static_cast<uint8_t>(gain_);
    record[kUnusedOffset] = 0;
    for (int band = 0; band < chain_.GetBandCount(); ++band) {
        const DeviceRow row = chain_.GetElement(band).EncodeBand();
        std::copy(row.begin(), row.end(), record.begin() + kFirstBandOffset + 8 * band);
    }
    return record_;
}

void CAudio_OutData::LoadRecord(std::span<const uint8_t, kRecordSize> record) {
    name_.LoadFrom(record.first<ChannelName::kSize>());
    mixMicL_ = record[kMixOffset + 0];
    mixMicR_ = record[kMixOffset + 1];
    mixMusicL_ = record[kMixOffset + 2];
    mixMusicR_ = record[kMixOffset + 3];
    micOnL_ = record[kSwitchOffset + 0];
    micOnR_ = record[kSwitchOffset + 1];
    musicOnL_ = record[kSwitchOffset + 2];
    musicOnR_ = record[kSwitchOffset + 3];
    limiterThreshold_ = GetSignedInt16(record.subspan(kThresholdOffset, 2));
    limiterAttack_ = record[kAttackOffset];
    limiterRelease_ = record[kReleaseOffset];
    delay_ = GetSignedInt16(record.subspan(kDelayOffset, 2));
    gain_ = record[kGainOffset];
    for (int band = 0; band < chain_.GetBandCount(); ++band) {
        chain_.GetElement(band).DecodeBand(record.subspan(kFirstBandOffset + 8 * band).first<8>());
        chain_.GetElement(band).Recalculate();
    }
    chain_.DecodeCrossover(record.subspan<kCrossoverOffset, 8>());
    UpdateCurve();
}

void CAudio_OutData::Serialize(CArchive& archive) {
    std::string name = name_.Get();
    archive.String(name);
    archive.Int32(storedIntegerB_);
    archive.Byte(storedByteA_);
    archive.Byte(storedByteC_);
    archive.Int32(gain_);
    archive.Byte(polarity_);
    archive.Byte(switchBits_);
    archive.Int32(delay_);
    archive.Byte(storedByteE_);
    archive.Int32(eqMode_);
    archive.Int32(limiterThreshold_);
    archive.Int32(limiterAttack_);
    archive.Int32(limiterRelease_);
    archive.Byte(storedByteG_);
    archive.Byte(outputKind_);
    archive.Byte(storedByteH_);
    archive.Byte(mixMicL_);
    archive.Byte(mixMicR_);
    archive.Byte(mixMusicL_);
    archive.Byte(mixMusicR_);
    archive.Int32(micOnL_);
    archive.Int32(micOnR_);
    archive.Int32(musicOnL_);
    archive.Int32(musicOnR_);
    chain_.Serialize(archive);
    if (archive.IsLoading()) {
        name_.Set(name);
        if (!archive.IsTrial()) {
            UpdateCurve();
        }
    }
}

void CAudio_OutData::SetPlotRect(const PixelRect& plot) {
    curve_.SetPlotRect(plot, chain_, GainShiftDb());
}

void CAudio_OutData::UpdateCurve() {
    curve_.Update(chain_, GainShiftDb());
}
