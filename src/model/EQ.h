// SPDX-License-Identifier: GPL-3.0-or-later
// The equaliser chain of one channel: its bands, then the high-pass, then the
// low-pass, and the summed response of all of them. Files hold the element
// records without a count, so the layout alone decides how many are read: a
// chain's layout never changes after it is built.
#pragma once

#include <array>
#include <memory_resource>
#include <span>
#include <vector>

#include "model/Filter.h"

class CArchive;

// The four chain layouts; each fixes the band count, default frequencies and element ids.
enum class ChainLayout { MusicInput, MicrophoneInput, Output, Effect };

class CEQ {
  public:
    // The elements are placed in `memory`; a program gives all its chains one
    // block, so that building and dropping programs does not churn the heap.
    explicit CEQ(ChainLayout layout,
                 std::pmr::memory_resource* memory = std::pmr::get_default_resource());

    // How many elements a chain of `layout` holds: its bands, then the two crossovers.
    static int ElementCount(ChainLayout layout);

    ChainLayout GetLayout() const { return layout_; }
    int GetCount() const { return static_cast<int>(elements_.size()); }
    int GetBandCount() const { return GetCount() - 2; }
    CFilter& GetElement(int index) { return elements_.at(index); }
    const CFilter& GetElement(int index) const { return elements_.at(index); }
    CFilter& GetHighPass();
    CFilter& GetLowPass();
    const CFilter& GetHighPass() const;
    const CFilter& GetLowPass() const;

    void Layout(const PixelRect& plot);
    // Adds the element responses and converts the sum into the two drawn curves.
    void SumResponse();
    // The chain's summed response in dB at each grid frequency: the one source
    // of the sum for the curves, the command-line tools and the tests.
    std::array<double, kGridPointCount> SumResponseDb() const;
    const std::array<PixelPoint, kGridPointCount>& GetSumCurve() const { return sumCurve_; }
    const std::array<PixelPointF, kGridPointCount>& GetSumCurveF() const { return sumCurveF_; }

    void CopyFrom(const CEQ& other);
    void Serialize(CArchive& archive);

    // The crossover row of this chain's device record.
    DeviceRow EncodeCrossover() const;
    // The high-pass, then the low-pass, take their halves of a crossover row.
    void DecodeCrossover(std::span<const uint8_t, 8> row);

    // "All Bypass" on every band of the chain.
    void SetAllBandsAllBypass(int flag);
    // 1 when every band reports a bypass state.
    int AllBandsBypassed() const;

  private:
    ChainLayout layout_;
    std::pmr::vector<CFilter> elements_;
    std::array<PixelPoint, kGridPointCount> sumCurve_{};
    std::array<PixelPointF, kGridPointCount> sumCurveF_{};
    int32_t plotWidth_ = 0;
    int32_t plotHeight_ = 0;
};
