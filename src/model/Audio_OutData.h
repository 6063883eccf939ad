// SPDX-License-Identifier: GPL-3.0-or-later
// One of the six outputs of a program: gain, delay, limiter, the microphone
// and music mix, and a 7-band chain with crossover filters, with its 88-byte
// device record and its part of a program file. Level and mix edits are
// repeated on linked outputs; a left output and a right output exchange their
// left and right mix levels, since each takes the other side's signal.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "model/ChannelCurve.h"
#include "model/ChannelIndex.h"
#include "model/ChannelName.h"
#include "model/Colour.h"
#include "model/EQ.h"

class CArchive;
class COutputLinkTable;

class CAudio_OutData {
  public:
    static constexpr size_t kRecordSize = 88;
    static constexpr int kBandCount = 7;
    using Record = std::array<uint8_t, kRecordSize>;

    // `index` is the output's place in the program and in `links`.
    CAudio_OutData(int index, COutputLinkTable* links,
                   std::pmr::memory_resource* memory = std::pmr::get_default_resource());
    // The link table points at this object.
    CAudio_OutData(const CAudio_OutData&) = delete;
    CAudio_OutData& operator=(const CAudio_OutData&) = delete;

    void SetName(std::string_view text);
    std::string GetName() const { return name_.Get(); }

    // Level setters: each flags row 1 and repeats the whole level set on linked outputs.
    void SetGain(int32_t code);
    void SetDelay(int32_t code);
    void SetLimiterThreshold(int32_t code);
    void SetLimiterAttack(int32_t code);
    void SetLimiterRelease(int32_t code);

    // Mix setters: each flags row 3 and repeats the mix on linked outputs.
    void SetMixMic(uint8_t level);
    void SetMixMicBoth(uint8_t level);
    void SetMixMusic(uint8_t level);
    void SetMixMusicBoth(uint8_t level);
    void SetMicOn(int32_t flag);
    void SetMusicOn(int32_t flag);

    // Stored values no page edits; their setters flag the miscellaneous change.
    void SetStoredByteC(uint8_t value);
    void SetPolarity(uint8_t value);
    void SetSwitchBits(uint8_t value);
    void SetStoredIntegerD(int32_t value);
    // Kept only for files; nothing edits them and no row carries them.
    void SetStoredByteA(uint8_t value) { storedByteA_ = value; }
    void SetStoredIntegerB(int32_t value) { storedIntegerB_ = value; }
    void SetStoredByteE(uint8_t value) { storedByteE_ = value; }
    void SetStoredByteG(uint8_t value) { storedByteG_ = value; }
    void SetStoredByteH(uint8_t value) { storedByteH_ = value; }
    void SetEqMode(int32_t mode) { eqMode_ = mode; }

    // A kind 0..5 also brings that kind's mix defaults.
    void SetOutputKind(int kind);
    void CopyLinkedFrom(const CAudio_OutData& source);

    int32_t GetGain() const { return gain_; }
    int32_t GetDelay() const { return delay_; }
    int32_t GetLimiterThreshold() const { return limiterThreshold_; }
    int32_t GetLimiterAttack() const { return limiterAttack_; }
    int32_t GetLimiterRelease() const { return limiterRelease_; }
    uint8_t GetMixMic() const;
    uint8_t GetMixMusic() const;
    uint8_t GetMixMicL() const { return mixMicL_; }
    uint8_t GetMixMicR() const { return mixMicR_; }
    uint8_t GetMixMusicL() const { return mixMusicL_; }
    uint8_t GetMixMusicR() const { return mixMusicR_; }
    int32_t GetMicOnL() const { return micOnL_; }
    int32_t GetMicOnR() const { return micOnR_; }
    int32_t GetMusicOnL() const { return musicOnL_; }
    int32_t GetMusicOnR() const { return musicOnR_; }
    uint8_t GetOutputKind() const { return outputKind_; }
    int GetIndex() const { return index_; }
    uint8_t GetPolarity() const { return polarity_; }
    uint8_t GetSwitchBits() const { return switchBits_; }
    uint8_t GetStoredByteA() const { return storedByteA_; }
    int32_t GetStoredIntegerB() const { return storedIntegerB_; }
    uint8_t GetStoredByteC() const { return storedByteC_; }
    int32_t GetStoredIntegerD() const { return storedIntegerD_; }
    uint8_t GetStoredByteE() const { return storedByteE_; }
    int32_t GetStoredIntegerF() const { return storedIntegerF_; }
    uint8_t GetStoredByteG() const { return storedByteG_; }
    uint8_t GetStoredByteH() const { return storedByteH_; }
    uint8_t GetStoredByteI() const { return storedByteI_; }
    int32_t GetStoredIntegerJ() const { return storedIntegerJ_; }
    int32_t GetStoredIntegerK() const { return storedIntegerK_; }
    int32_t GetEqMode() const { return eqMode_; }
    Colour GetCurveColour() const { return curveColour_; }
    Colour GetMarkerColour() const { return markerColour_; }
    int32_t GetFirstBandShown() const { return firstBandShown_; }
    void SetFirstBandShown(int32_t band) { firstBandShown_ = band; }
    int32_t GetPageState(int which) const { return pageStates_.at(which); }
    void SetPageState(int which, int32_t state) { pageStates_.at(which) = state; }

    CEQ& GetChain() { return chain_; }
    const CEQ& GetChain() const { return chain_; }
    CFilter& GetBand(int index) { return chain_.GetElement(index); }
    CFilter& GetHighPass() { return chain_.GetHighPass(); }
    CFilter& GetLowPass() { return chain_.GetLowPass(); }

    void SetNameChanged(int32_t flag) { nameChanged_ = flag; }
    void SetMiscChanged(int32_t flag) { miscChanged_ = flag; }
    void SetThirdChanged(int32_t flag) { thirdChanged_ = flag; }
    void SetGainChanged(int32_t flag) { gainChanged_ = flag; }
    void SetMixChanged(int32_t flag) { mixChanged_ = flag; }
    int32_t IsNameChanged() const { return nameChanged_; }
    int32_t IsMiscChanged() const { return miscChanged_; }
    int32_t IsThirdChanged() const { return thirdChanged_; }
    int32_t IsGainChanged() const { return gainChanged_; }
    int32_t IsMixChanged() const { return mixChanged_; }

    void SetAllBandsAllBypass(int flag);
    // 1 when every band reports a bypass state.
    int32_t UpdateAllBypassed();
    int32_t GetAllBypassed() const { return allBypassed_; }

    Record BuildRecord();
    // Sets the fields a record carries; no change flag is raised.
    void LoadRecord(std::span<const uint8_t, kRecordSize> record);
    void Serialize(CArchive& archive);

    void SetPlotRect(const PixelRect& plot);
    void UpdateCurve();
    const ChannelCurve& GetCurve() const { return curve_; }

  private:
    double GainShiftDb() const { return gain_ - 40.0; }
    void GainSetChanged();
    void MixSetChanged();
    // Takes `source`'s mix as seen from this output's side.
    void TakeMixFrom(const CAudio_OutData& source);

    ChannelCurve curve_;
    CEQ chain_;
    ChannelName name_;
    uint8_t storedByteA_ = 0;
    int32_t storedIntegerB_ = 0;
    uint8_t storedByteC_ = 1;
    int32_t gain_ = 40;
    uint8_t polarity_ = 1;
    uint8_t switchBits_ = 8;
    int32_t delay_ = 0;
    int32_t storedIntegerD_ = 71;
    uint8_t storedByteE_ = 1;
    int32_t storedIntegerF_ = 0;
    uint8_t mixMicL_ = 0;
    uint8_t mixMicR_ = 0;
    uint8_t mixMusicL_ = 0;
    uint8_t mixMusicR_ = 0;
    int32_t micOnL_ = 1;
    int32_t micOnR_ = 1;
    int32_t musicOnL_ = 1;
    int32_t musicOnR_ = 1;
    int32_t firstBandShown_ = 0;
    std::array<int32_t, 2> pageStates_{-1, -1};
    int32_t limiterThreshold_ = 80;
    int32_t limiterAttack_ = 0;
    int32_t limiterRelease_ = 0;
    uint8_t storedByteG_ = 0;
    uint8_t storedByteH_ = 17;
    uint8_t storedByteI_ = 0;
    uint8_t outputKind_ = 0;
    int32_t storedIntegerJ_ = 0;
    int32_t storedIntegerK_ = 1;
    Colour markerColour_;
    Colour curveColour_;
    int32_t nameChanged_ = 0;
    int32_t miscChanged_ = 0;
    int32_t thirdChanged_ = 0;
    int32_t gainChanged_ = 0;
    int32_t mixChanged_ = 0;
    Record record_{};
    int32_t eqMode_ = 0;
    int32_t allBypassed_ = 0;
    int index_;
    COutputLinkTable* links_;
};
