// SPDX-License-Identifier: GPL-3.0-or-later
// The effect engine of a program: sixteen opaque reverb, echo and noise-gate
// bytes, the effect-program number and a 3-band chain, with its 48-byte
// device record and its part of a program file. The sixteen bytes travel as
// two rows, so changing any one byte resends the whole row it sits in.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "model/ChannelCurve.h"
#include "model/Colour.h"
#include "model/EQ.h"

class CArchive;

// Byte positions of the effect parameters.
namespace EffectParam {
inline constexpr int kReverbDirect = 0;
inline constexpr int kReverbTime = 1;
inline constexpr int kReverbPreDelay = 2;
inline constexpr int kReverbHighRatio = 3;
inline constexpr int kReverbVolume = 4;
inline constexpr int kNoiseGate = 5;
inline constexpr int kOutputLevel = 6;
inline constexpr int kEchoHighRatio = 7;
inline constexpr int kLeftEchoDelay = 8;
inline constexpr int kLeftEchoPreDelay = 9;
inline constexpr int kLeftEchoRepeat = 10;
inline constexpr int kEchoVolume = 11;
inline constexpr int kRightEchoDelay = 12;
inline constexpr int kRightEchoPreDelay = 13;
inline constexpr int kRightEchoRepeat = 14;
inline constexpr int kEchoDirect = 15;
inline constexpr int kCount = 16;
}  // namespace EffectParam

class CAudio_EffectData {
  public:
    static constexpr size_t kRecordSize = 48;
    static constexpr int kBandCount = 3;
    using Record = std::array<uint8_t, kRecordSize>;

    explicit CAudio_EffectData(
        std::pmr::memory_resource* memory = std::pmr::get_default_resource());

    // Flags the first row for bytes 0..7, the second for 8..15.
    void SetEffectParam(int index, uint8_t value);
    uint8_t GetEffectParam(int index) const { return effectParams_.at(index); }
    void SetEffectMode(uint8_t mode);
    uint8_t GetEffectMode() const { return effectMode_; }
    int32_t GetEffectMute() const { return effectMute_; }
    // Kept only for files; nothing edits it.
    void SetEffectMute(int32_t flag) { effectMute_ = flag; }
    uint8_t GetContainerIndex() const { return containerIndex_; }
    Colour GetCurveColour() const { return curveColour_; }
    Colour GetMarkerColour() const { return markerColour_; }

    void SetFirstRowChanged(int32_t flag) { firstRowChanged_ = flag; }
    void SetSecondRowChanged(int32_t flag) { secondRowChanged_ = flag; }
    void SetModeChanged(int32_t flag) { modeChanged_ = flag; }
    int32_t IsFirstRowChanged() const { return firstRowChanged_; }
    int32_t IsSecondRowChanged() const { return secondRowChanged_; }
    int32_t IsModeChanged() const { return modeChanged_; }

    CEQ& GetChain() { return chain_; }
    const CEQ& GetChain() const { return chain_; }
    CFilter& GetBand(int index) { return chain_.GetElement(index); }
    CFilter& GetHighPass() { return chain_.GetHighPass(); }
    CFilter& GetLowPass() { return chain_.GetLowPass(); }

    void SetAllBandsAllBypass(int flag);
    // 1 when every band reports a bypass state.
    int32_t UpdateAllBypassed();
    int32_t GetAllBypassed() const { return allBypassed_; }

    Record BuildRecord();
    // Sets the parameters and the chain; the mode, the mute and the flags stay.
    void LoadRecord(std::span<const uint8_t, kRecordSize> record);
    void Serialize(CArchive& archive);

    void SetPlotRect(const PixelRect& plot);
    void UpdateCurve();
    const ChannelCurve& GetCurve() const { return curve_; }

  private:
    ChannelCurve curve_;
    Colour curveColour_ = OpaqueColour(34, 188, 211);
    Colour markerColour_ = OpaqueColour(34, 188, 211);
    uint8_t effectMode_ = 1;
    std::array<uint8_t, EffectParam::kCount> effectParams_{};
    int32_t effectMute_ = 1;
    uint8_t containerIndex_ = 0;
    int32_t firstRowChanged_ = 0;
    int32_t secondRowChanged_ = 0;
    int32_t modeChanged_ = 0;
    CEQ chain_;
    int32_t allBypassed_ = 0;
    Record record_{};
};
