// SPDX-License-Identifier: GPL-3.0-or-later
// One input channel of a program (music left, music right or microphone): its
// levels, microphone settings, effect-program bytes and 16-band chain, with
// its 152-byte device record and its part of a program file. Several bytes
// and integers are edited by no page; they are kept only so that files and
// device records come back out exactly as they went in.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "model/ChannelCurve.h"
#include "model/ChannelName.h"
#include "model/Colour.h"
#include "model/EQ.h"

class CArchive;

class CAudio_InData {
  public:
    static constexpr size_t kRecordSize = 152;
    static constexpr int kBandCount = 16;
    static constexpr int kMaxBassAttenuation = 20;
    using Record = std::array<uint8_t, kRecordSize>;

    // Channel 0 music left, 1 music right, 2 microphone.
    explicit CAudio_InData(int channel,
                           std::pmr::memory_resource* memory = std::pmr::get_default_resource());

    void SetName(std::string_view text);
    std::string GetName() const { return name_.Get(); }

    void SetLevel(uint8_t value);
    void SetAuxLevel(uint8_t value);
    void SetFeedbackMode(uint8_t value);
    void SetBassAttenuation(uint8_t value);
    // Stores 0 while the channel is muted.
    void SetGain(int32_t code);
    void SetDelay(int32_t code);
    void SetPolarity(uint8_t value);
    void SetMute(int32_t flag);
    void SetStoredByteA(uint8_t value);
    void SetStoredIntegerB(int32_t value);
    void SetStoredIntegerC(int32_t value);
    void SetStoredByteD(uint8_t value);
    // Kept only for files; nothing edits them and no row carries them.
    void SetStoredIntegerE(int32_t value) { storedIntegerE_ = value; }
    void SetStoredByteF(uint8_t value) { storedByteF_ = value; }
    void SetLinkSlot(uint8_t slot) { linkSlot_ = slot; }
    // The main page writes these directly; no row is flagged for them.
    void SetEffectCode(int index, uint8_t code) { effectCodes_.at(index) = code; }
    void SetEffectCodes(uint8_t code) { effectCodes_.fill(code); }

    uint8_t GetLevel() const { return level_; }
    uint8_t GetAuxLevel() const { return auxLevel_; }
    uint8_t GetFeedbackMode() const { return feedbackMode_; }
    // A stored value above the page's range is limited, and stays limited.
    uint8_t GetBassAttenuation();
    int32_t GetGain() const { return gain_; }
    int32_t GetDelay() const { return delay_; }
    uint8_t GetPolarity() const { return polarity_; }
    int32_t GetMute() const { return mute_; }
    uint8_t GetStoredByteA() const { return storedByteA_; }
    int32_t GetStoredIntegerB() const { return storedIntegerB_; }
    int32_t GetStoredIntegerC() const { return storedIntegerC_; }
    uint8_t GetStoredByteD() const { return storedByteD_; }
    int32_t GetStoredIntegerE() const { return storedIntegerE_; }
    uint8_t GetStoredByteF() const { return storedByteF_; }
    int32_t GetStoredIntegerG() const { return storedIntegerG_; }
    uint8_t GetLinkSlot() const { return linkSlot_; }
    uint8_t GetEffectCode(int index) const { return effectCodes_.at(index); }
    uint8_t GetEqLayout() const { return eqLayout_; }
    Colour GetCurveColour() const { return curveColour_; }
    Colour GetMarkerColour() const { return markerColour_; }
    int32_t GetFirstBandShown() const { return firstBandShown_; }
    void SetFirstBandShown(int32_t band) { firstBandShown_ = band; }

    CEQ& GetChain() { return chain_; }
    const CEQ& GetChain() const { return chain_; }
    CFilter& GetBand(int index) { return chain_.GetElement(index); }
    CFilter& GetHighPass() { return chain_.GetHighPass(); }
    CFilter& GetLowPass() { return chain_.GetLowPass(); }

    void SetParamsChanged(int32_t flag) { paramsChanged_ = flag; }
    void SetNameChanged(int32_t flag) { nameChanged_ = flag; }
    int32_t IsParamsChanged() const { return paramsChanged_; }
    int32_t IsNameChanged() const { return nameChanged_; }

    void SetAllBandsAllBypass(int flag);
    // 1 when every element of the chain reports a bypass state.
    int32_t UpdateAllBypassed();
    int32_t GetAllBypassed() const { return allBypassed_; }

    // Fills the channel's record from its fields and returns a copy.
    Record BuildRecord();
    // Sets the fields a record carries; flags and `mute` stay as they are.
    void LoadRecord(std::span<const uint8_t, kRecordSize> record);
    void Serialize(CArchive& archive);

    void SetPlotRect(const PixelRect& plot);
    void UpdateCurve();
    const ChannelCurve& GetCurve() const { return curve_; }

  private:
    double GainShiftDb() const { return gain_ - 40.0; }

    ChannelCurve curve_;
    std::array<uint8_t, 4> effectCodes_{};
    CEQ chain_;
    ChannelName name_;
    int32_t firstBandShown_ = 0;
    uint8_t level_ = 30;
    uint8_t auxLevel_ = 50;
    uint8_t feedbackMode_ = 0;
    uint8_t bassAttenuation_ = 0;
    uint8_t eqLayout_;
    uint8_t storedByteA_ = 1;
    uint8_t polarity_ = 1;
    int32_t delay_ = 0;
    int32_t storedIntegerB_ = 71;
    int32_t gain_ = 40;
    int32_t mute_ = 0;
    int32_t storedIntegerC_ = 0;
    uint8_t storedByteD_ = 0;
    int32_t storedIntegerE_ = 0;
    uint8_t storedByteF_ = 0;
    uint8_t linkSlot_;
    int32_t storedIntegerG_ = 1;
    Colour curveColour_;
    Colour markerColour_;
    int32_t paramsChanged_ = 0;
    int32_t nameChanged_ = 0;
    Record record_{};
    int32_t allBypassed_ = 0;
};
