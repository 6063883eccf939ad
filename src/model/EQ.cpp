// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/EQ.h"

#include <algorithm>
#include <cassert>

#include "curves/ChainSum.h"
#include "curves/ElementGeometry.h"
#include "curves/GraphScale.h"
#include "model/Archive.h"

namespace {
constexpr int kInputBandFrequencies[] = {20,   33,   54,   88,   144,  236,   386,   632,
                                         1036, 1697, 2779, 4552, 7965, 10000, 15000, 20000};
constexpr int kOutputBandFrequencies[] = {47, 112, 266, 631, 1495, 3544, 8399};
constexpr int kEffectBandFrequencies[] = {20, 33, 54};

struct LayoutTable {
    std::span<const int> bandFrequencies;
    int firstBandId;
    int crossoverId;
    int crossoverFamily;
    int crossoverSlope;
    bool bandsKeepGeqFrequency;
};

constexpr int kSlope48 = 3;

LayoutTable TableFor(ChainLayout layout) {
    switch (layout) {
        case ChainLayout::MusicInput:
            return {kInputBandFrequencies, 1, 2, FilterFamily::kButterworth, kSlope48, false};
        case ChainLayout::MicrophoneInput:
            return {kInputBandFrequencies, 3, 2, FilterFamily::kButterworth, kSlope48, false};
        case ChainLayout::Output:
            return {kOutputBandFrequencies, 4, 2, FilterFamily::kLinkwitzRiley, 0, true};
        case ChainLayout::Effect:
            break;
    }
    return {kEffectBandFrequencies, 22, 21, FilterFamily::kButterworth, kSlope48, false};
}

void PutWord(DeviceRow& row, size_t offset, int value) {
    row[offset] = static_cast<uint8_t>(value & 0xFF);
    row[offset + 1] = static_cast<uint8_t>((value >> 8) & 0xFF);
}

using ResponseList = std::array<const GridResponse*, std::size(kInputBandFrequencies) + 2>;

std::span<const GridResponse* const> ListResponses(std::span<const CFilter> elements,
                                                   ResponseList& list) {
    assert(elements.size() <= list.size());
    const size_t count = std::min(elements.size(), list.size());
    for (size_t i = 0; i < count; ++i) {
        list[i] = &elements[i].GetResponse();
    }
    return {list.data(), count};
}
}  // namespace

CEQ::CEQ(ChainLayout layout, std::pmr::memory_resource* memory)
    : layout_(layout), elements_(memory) {
    LayoutTable table = TableFor(layout);
    elements_.reserve(table.bandFrequencies.size() + 2);
    // Each element is built with its fields in place, so its response is computed once.
    int id = table.firstBandId;
    for (int hertz : table.bandFrequencies) {
        elements_.emplace_back(ElementSetUp{.frequency = hertz,
                                            .geqFrequency = table.bandsKeepGeqFrequency ? hertz : 0,
                                            .id = id++});
    }
    for (int kind : {ElementType::kHighPass, ElementType::kLowPass}) {
        elements_.emplace_back(
            ElementSetUp{.type = kind,
                         .frequency = kind == ElementType::kHighPass ? 20 : 20000,
                         .family = table.crossoverFamily,
                         .slope = table.crossoverSlope,
                         .isBand = 0,
                         .id = table.crossoverId});
    }
}

int CEQ::ElementCount(ChainLayout layout) {
    return static_cast<int>(TableFor(layout).bandFrequencies.size()) + 2;
}

CFilter& CEQ::GetHighPass() {
    CFilter& filter = elements_.at(elements_.size() - 2);
    assert(filter.GetType() == ElementType::kHighPass);
    return filter;
}

CFilter& CEQ::GetLowPass() {
    CFilter& filter = elements_.back();
    assert(filter.GetType() == ElementType::kLowPass);
    return filter;
}

const CFilter& CEQ::GetHighPass() const {
    return const_cast<CEQ*>(this)->GetHighPass();
}

const CFilter& CEQ::GetLowPass() const {
    return const_cast<CEQ*>(this)->GetLowPass();
}

void CEQ::Layout(const PixelRect& plot) {
    plotWidth_ = plot.Width();
    plotHeight_ = plot.Height();
    PlaceSumCurvesX(GraphScale(plotWidth_, plotHeight_), sumCurve_, sumCurveF_);
    // Until the first sum the curve lies across the middle of the plot.
    for (int i = 0; i < kGridPointCount; ++i) {
        sumCurve_[i].y = plotHeight_ / 2 + kPlotTopMargin;
        sumCurveF_[i].y = static_cast<float>(sumCurve_[i].y);
    }
    for (CFilter& element : elements_) {
        element.Layout(plot);
    }
}

std::array<double, kGridPointCount> CEQ::SumResponseDb() const {
    std::array<double, kGridPointCount> sum;
    ResponseList list;
    SumResponses(ListResponses(elements_, list), sum);
    return sum;
}

void CEQ::SumResponse() {
    ResponseList list;
    DrawSummedResponses(ListResponses(elements_, list), GraphScale(plotWidth_, plotHeight_),
                        sumCurve_, sumCurveF_);
}

void CEQ::CopyFrom(const CEQ& other) {
    // Chains of different layouts have different lengths; copy what both have.
    size_t count = std::min(elements_.size(), other.elements_.size());
    for (size_t i = 0; i < count; ++i) {
        elements_[i].CopyFrom(other.elements_[i]);
    }
}

void CEQ::Serialize(CArchive& archive) {
    for (CFilter& element : elements_) {
        element.Serialize(archive);
    }
}

DeviceRow CEQ::EncodeCrossover() const {
    const CFilter& highPass = GetHighPass();
    const CFilter& lowPass = GetLowPass();
    // The input and effect crossovers are fixed at Butterworth 48 dB on the device side.
    bool fixedShape = layout_ != ChainLayout::Output;
    DeviceRow row{};
    PutWord(row, 0, highPass.GetSentFrequency());
    row[2] = static_cast<uint8_t>(fixedShape ? FilterFamily::kButterworth : highPass.GetFamily());
    row[3] = static_cast<uint8_t>(fixedShape ? kSlope48 : highPass.GetSlope());
    PutWord(row, 4, lowPass.GetSentFrequency());
    row[6] = static_cast<uint8_t>(fixedShape ? FilterFamily::kButterworth : lowPass.GetFamily());
    row[7] = static_cast<uint8_t>(fixedShape ? kSlope48 : lowPass.GetSlope());
    return row;
}

void CEQ::DecodeCrossover(std::span<const uint8_t, 8> row) {
    GetHighPass().DecodeCrossover(row);
    GetLowPass().DecodeCrossover(row);
}

void CEQ::SetAllBandsAllBypass(int flag) {
    for (int i = 0; i < GetBandCount(); ++i) {
        elements_[i].SetAllBypass(flag);
    }
}

int CEQ::AllBandsBypassed() const {
    for (int i = 0; i < GetBandCount(); ++i) {
        if (elements_[i].GetBypassState() == 0) {
            return 0;
        }
    }
    return 1;
}
