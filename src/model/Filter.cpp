// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Filter.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>

#include "curves/Response.h"
#include "model/Archive.h"

namespace {
constexpr int kShelfFrequencyLimit = 2000;
constexpr int kLowPassOffFrequency = 20000;
constexpr int kUnityGainIndex = 200;

// Gains and bandwidths can come from a damaged file as any double; the codes
// made from them must still be defined integers.
int TruncateToInt(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    return static_cast<int>(std::clamp(value, double(INT_MIN), double(INT_MAX)));
}

int16_t SignedWordAt(std::span<const uint8_t, 8> row, size_t offset) {
    return static_cast<int16_t>(row[offset] | (row[offset + 1] << 8));
}

uint16_t WordAt(std::span<const uint8_t, 8> row, size_t offset) {
    return static_cast<uint16_t>(row[offset] | (row[offset + 1] << 8));
}

void PutWord(DeviceRow& row, size_t offset, int value) {
    row[offset] = static_cast<uint8_t>(value & 0xFF);
    row[offset + 1] = static_cast<uint8_t>((value >> 8) & 0xFF);
}
}  // namespace

CFilter::CFilter() {
    Recalculate();
}

CFilter::CFilter(const ElementSetUp& setUp)
    : type_(setUp.type),
      frequency_(setUp.frequency),
      geqFrequency_(setUp.geqFrequency),
      sentFrequency_(setUp.type == ElementType::kLowPass ? kLowPassOffFrequency : 20),
      family_(setUp.family),
      slope_(setUp.slope),
      id_(setUp.id),
      isBand_(setUp.isBand) {
    ApplyShelfLimits();
    UpdateMarker();
    Recalculate();
}

bool CFilter::IsCrossover() const {
    return type_ == ElementType::kHighPass || type_ == ElementType::kLowPass;
}

void CFilter::ApplyShelfLimits() {
    if (type_ == ElementType::kLowShelf && frequency_ > kShelfFrequencyLimit) {
        frequency_ = kShelfFrequencyLimit;
    } else if (type_ == ElementType::kHighShelf && frequency_ < kShelfFrequencyLimit) {
        frequency_ = kShelfFrequencyLimit;
    }
}

void CFilter::UpdateMarker() {
    GraphScale scale = Scale();
    if (IsCrossover()) {
        bool highPass = type_ == ElementType::kHighPass;
        markerRect_ = CrossoverMarkerRect(scale, frequency_, highPass);
        labelRect_ = CrossoverLabelRect(scale, markerRect_, highPass);
    } else {
        markerRect_ = BandMarkerRect(scale, frequency_, IsShownBypassed() ? 0.0 : gain_);
        bool shelf = type_ == ElementType::kLowShelf || type_ == ElementType::kHighShelf;
        labelRect_ = BandLabelRect(scale, markerRect_, shelf);
    }
    UpdateHandles();
}

void CFilter::UpdateHandles() {
    // Only a peaking band has a bandwidth to drag; other kinds get empty handles nothing can hit.
    if (type_ != ElementType::kPeaking) {
        lowerHandleRect_ = {};
        upperHandleRect_ = {};
        return;
    }
    BandwidthHandles handles =
        BandwidthHandleRects(Scale(), markerRect_, frequency_, gain_, bandwidth_);
    lowerHandleRect_ = handles.lower;
    upperHandleRect_ = handles.upper;
}

void CFilter::ParameterChanged() {
    UpdateMarker();
    Recalculate();
    dirty_ = 1;
}

void CFilter::SetType(int kind) {
    type_ = kind;
    if (kind == ElementType::kLowPass) {
        sentFrequency_ = kLowPassOffFrequency;
    }
    // A band turned into a shelf must not keep a frequency its shelf cannot have.
    ApplyShelfLimits();
    ParameterChanged();
}

void CFilter::SetFrequency(int hertz) {
    frequency_ = hertz;
    ParameterChanged();
}

void CFilter::SetGeqFrequency(int hertz) {
    geqFrequency_ = hertz;
}

void CFilter::SetBandwidthIndex(int index) {
    bandwidth_ = 0.01 * index + 0.01;
    ParameterChanged();
}

void CFilter::SetGainIndex(int index) {
    gain_ = index * 0.1 - 20.0;
    if (gain_ != 0.0) {
        bypass_ = 0;
        allBypass_ = 0;
    } else {
        bypass_ = 1;
    }
    ParameterChanged();
}

void CFilter::SetBypass(int flag) {
    if (allBypass_ != 0) {
        allBypass_ = 0;
    }
    // A 0 dB band stays bypassed: there is nothing to switch on.
    if (gain_ == 0.0) {
        return;
    }
    bypass_ = flag;
    if (flag == 0) {
        allBypass_ = 0;
    }
    ParameterChanged();
}

void CFilter::SetAllBypass(int flag) {
    if (flag != 0) {
        savedAllBypass_ = allBypass_;
        allBypass_ = flag;
    } else {
        allBypass_ = savedAllBypass_;
    }
    // A band bypassed on its own looks and sounds the same either way.
    if (bypass_ == 0) {
        ParameterChanged();
    }
}

void CFilter::SetSlope(int index) {
    slope_ = index;
    Recalculate();
    dirty_ = 1;
}

void CFilter::SetFamily(int family) {
    family_ = family;
    Recalculate();
    dirty_ = 1;
}

void CFilter::SetIsBand(int flag) {
    isBand_ = flag;
}

void CFilter::SetId(int id) {
    id_ = id;
}

void CFilter::StepSentFrequency(int flag) {
    if (isBand_ != 0 || frequency_ == sentFrequency_) {
        dirty_ = flag;
        return;
    }
    // A crossover row read from the device may hold 0; there is no octave to step from.
    if (sentFrequency_ == 0) {
        sentFrequency_ = frequency_;
    } else if (int64_t{frequency_} / sentFrequency_ >= 2) {
        sentFrequency_ *= 2;
    } else if (static_cast<double>(frequency_) / sentFrequency_ <= 0.5) {
        sentFrequency_ /= 2;
    } else {
        sentFrequency_ = frequency_;
    }
    dirty_ = 1;
}

void CFilter::Layout(const PixelRect& plot) {
    plotWidth_ = plot.Width();
    plotHeight_ = plot.Height();
    UpdateMarker();
    PlaceElementCurveX(Scale(), curve_);
    Recalculate();
}

void CFilter::Recalculate() {
    ElementResponseInput input;
    input.kind = type_;
    input.frequency = frequency_;
    input.gain = gain_;
    input.bandwidth = bandwidth_;
    input.family = family_;
    input.slope = slope_;
    input.bypassed = IsShownBypassed();
    ComputeElementResponse(input, response_);
    FillElementCurveY(Scale(), response_, curve_);
}

int CFilter::GetGainIndex() const {
    if (IsShownBypassed()) {
        return kUnityGainIndex;
    }
    return TruncateToInt((gain_ + 20.0) * 100.0 / 10.0 + 0.5);
}

int CFilter::GetBandwidthIndex() const {
    return TruncateToInt(std::round(bandwidth_ * 100.0) - 1.0);
}

int CFilter::GetBypassState() const {
    return allBypass_ != 0 ? allBypass_ : bypass_;
}

DeviceRow CFilter::EncodeBand() {
    bool shelf = type_ == ElementType::kLowShelf || type_ == ElementType::kHighShelf;
    deviceRecord_[0] = static_cast<uint8_t>(type_);
    deviceRecord_[1] = static_cast<uint8_t>(slope_);
    PutWord(deviceRecord_, 2, shelf ? slope_ : GetBandwidthIndex());
    PutWord(deviceRecord_, 4, frequency_);
    PutWord(deviceRecord_, 6, GetGainIndex());
    return deviceRecord_;
}

void CFilter::DecodeBand(std::span<const uint8_t, 8> row) {
    type_ = row[0];
    frequency_ = SignedWordAt(row, 4);
    ApplyShelfLimits();
    allBypass_ = 0;
    gain_ = SignedWordAt(row, 6) * 0.1 - 20.0;
    bypass_ = gain_ == 0.0 ? 1 : 0;
    bandwidth_ = SignedWordAt(row, 2) * 0.01 + 0.01;
    slope_ = row[1];
    // The caller recalculates the whole chain, but the marker must not be left
    // where the old values put it.
    UpdateMarker();
}

void CFilter::DecodeCrossover(std::span<const uint8_t, 8> row) {
    size_t half;
    if (type_ == ElementType::kHighPass) {
        half = 0;
    } else if (type_ == ElementType::kLowPass) {
        half = 4;
    } else {
        return;
    }
    frequency_ = sentFrequency_ = WordAt(row, half);
    family_ = row[half + 2];
    slope_ = row[half + 3];
    UpdateMarker();
    Recalculate();
}

void CFilter::CopyFrom(const CFilter& other) {
    type_ = other.type_;
    gain_ = other.gain_;
    bypass_ = other.bypass_;
    allBypass_ = other.allBypass_;
    geqBandwidth_ = other.geqBandwidth_;
    bandwidth_ = other.bandwidth_;
    frequency_ = sentFrequency_ = other.frequency_;
    family_ = other.family_;
    slope_ = other.slope_;
    ApplyShelfLimits();
    UpdateMarker();
    Recalculate();
}

void CFilter::Serialize(CArchive& archive) {
    archive.Int32(type_);
    archive.Int32(frequency_);
    archive.Int32(geqFrequency_);
    int32_t walkTarget = frequency_;
    archive.Int32(archive.IsComparing() ? walkTarget : sentFrequency_);
    archive.Double(gain_);
    archive.Int32(allBypass_);
    archive.Int32(bypass_);
    archive.Double(bandwidth_);
    archive.Double(geqBandwidth_);
    archive.Int32(family_);
    archive.Int32(slope_);
    archive.Int32(id_);
    // Storing changes nothing: an edit still waiting to be sent when the file is
    // saved must still reach the device.
    if (!archive.IsLoading()) {
        return;
    }
    ApplyShelfLimits();
    // A file saved while a crossover was walking towards its frequency holds the
    // step the device had reached; the walk goes on from there.
    dirty_ = isBand_ == 0 && frequency_ != sentFrequency_ ? 1 : 0;
    if (archive.IsTrial()) {
        return;
    }
    UpdateMarker();
    Recalculate();
}

const std::string& CFilter::GetLabel() {
    char gainText[32];
    if (IsShownBypassed()) {
        std::snprintf(gainText, sizeof gainText, "0.0");
    } else {
        std::snprintf(gainText, sizeof gainText, "%.1f", gain_);
    }
    char text[128];
    if (type_ == ElementType::kPeaking) {
        double q = BandwidthIndexToQ(GetBandwidthIndex());
        // The number is a Q, not a width in octaves, so it is named as one.
        std::snprintf(text, sizeof text, q > 100.0 ? "%dHZ Q %.1f %sdB" : "%dHZ Q %.3f %sdB",
                      GetFrequency(), q, gainText);
    } else if (type_ == ElementType::kLowShelf || type_ == ElementType::kHighShelf) {
        std::snprintf(text, sizeof text, "%dHZ %sdB", GetFrequency(), gainText);
    } else {
        std::snprintf(text, sizeof text, "%dHZ ", frequency_);
    }
    label_ = text;
    return label_;
}
