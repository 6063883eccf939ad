// SPDX-License-Identifier: GPL-3.0-or-later
// One element of an equaliser chain: a peaking band, a shelf, or a crossover
// high-pass / low-pass. It keeps its parameters in the device's encoding, its
// response on the display grid and the geometry the graph draws and drags.
// Every parameter setter recomputes the response and marks the element dirty,
// which is how an edit finds its way to the device.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "curves/BandwidthTable.h"
#include "curves/ElementGeometry.h"
#include "curves/FrequencyGrid.h"
#include "curves/Geometry.h"
#include "curves/GraphScale.h"
#include "curves/ResponseKinds.h"

class CArchive;

// One 8-byte row of a device record.
using DeviceRow = std::array<uint8_t, 8>;

// What a chain gives each element as it builds it.
struct ElementSetUp {
    int type = ElementType::kPeaking;
    int frequency = 1000;
    int geqFrequency = 0;
    int family = FilterFamily::kLinkwitzRiley;
    int slope = 0;
    int isBand = 1;
    int id = 0;
};

// A chain's elements lie side by side, and its sum reads the same few points
// of every element's response at once. Were the elements a multiple of 4 KiB
// long, those reads would all fall into one set of the processor's cache and
// keep evicting each other, which made the sum several times slower; the
// alignment rounds the size to a length that spreads them (checked below).
class alignas(128) CFilter {
  public:
    CFilter();
    // As the default element given these fields through its setters, but
    // with its geometry and response computed once; not dirty.
    explicit CFilter(const ElementSetUp& setUp);

    // Parameter setters; see the class comment for their common ending.
    void SetType(int kind);
    void SetFrequency(int hertz);
    void SetGeqFrequency(int hertz);
    void SetBandwidthIndex(int index);
    void SetGainIndex(int index);
    void SetBypass(int flag);
    void SetAllBypass(int flag);
    void SetSlope(int index);
    void SetFamily(int family);
    void SetIsBand(int flag);
    void SetId(int id);

    // Called by the message builder each time it sends this element.
    void StepSentFrequency(int flag);
    // Where the device's crossover stands; a restored program keeps it, so
    // the filter still steps there from the frequency the device really has.
    void SetSentFrequency(int hertz) { sentFrequency_ = hertz; }

    void Layout(const PixelRect& plot);
    void Recalculate();

    int GetFrequency() const { return frequency_; }
    int GetGainIndex() const;
    int GetBandwidthIndex() const;
    int GetBypassState() const;
    int GetType() const { return type_; }
    int GetFamily() const { return family_; }
    int GetSlope() const { return slope_; }
    int GetSentFrequency() const { return sentFrequency_; }
    int GetGeqFrequency() const { return geqFrequency_; }
    int GetId() const { return id_; }
    double GetGain() const { return gain_; }
    double GetBandwidth() const { return bandwidth_; }
    double GetGeqBandwidth() const { return geqBandwidth_; }
    int GetBypass() const { return bypass_; }
    int GetAllBypass() const { return allBypass_; }
    int IsBand() const { return isBand_; }
    int IsDirty() const { return dirty_; }
    int IsMarkerVisible() const { return markerVisible_; }
    void SetDirty(int flag) { dirty_ = flag; }

    DeviceRow EncodeBand();
    // Leaves the response to the caller, who recalculates the whole chain; the
    // marker follows at once so the graph never shows the old position.
    void DecodeBand(std::span<const uint8_t, 8> row);
    // Takes the high-pass half (kind 3) or the low-pass half (kind 4) of a crossover row.
    void DecodeCrossover(std::span<const uint8_t, 8> row);
    void CopyFrom(const CFilter& other);
    void Serialize(CArchive& archive);

    const std::string& GetLabel();

    // Response in dB at each grid frequency, and its drawing.
    const std::array<double, kGridPointCount>& GetResponse() const { return response_; }
    const std::array<PixelPoint, kElementCurvePointCount>& GetCurve() const { return curve_; }
    const PixelRect& GetMarkerRect() const { return markerRect_; }
    const PixelRect& GetLowerHandleRect() const { return lowerHandleRect_; }
    const PixelRect& GetUpperHandleRect() const { return upperHandleRect_; }
    const PixelRect& GetLabelRect() const { return labelRect_; }
    int GetPlotWidth() const { return plotWidth_; }
    int GetPlotHeight() const { return plotHeight_; }

    // Pointer interaction state, owned by the response graph.
    struct Interaction {
        PixelPoint dragAnchor;
        int32_t lowerGrabOffset = 0;
        int32_t upperGrabOffset = 0;
        int32_t markerHovered = 0;
        int32_t lowerHandleHovered = 0;
        int32_t upperHandleHovered = 0;
        int32_t markerDragging = 0;
        int32_t lowerHandleDragging = 0;
        int32_t upperHandleDragging = 0;
    };
    Interaction& GetInteraction() { return interaction_; }

  private:
    bool IsCrossover() const;
    bool IsShownBypassed() const { return allBypass_ != 0 || bypass_ != 0; }
    GraphScale Scale() const { return GraphScale(plotWidth_, plotHeight_); }
    void ApplyShelfLimits();
    // Marker and label box; the handles follow the marker, so they are redone too.
    void UpdateMarker();
    void UpdateHandles();
    // The common ending of a parameter setter: geometry, response, dirty.
    void ParameterChanged();

    std::array<double, kGridPointCount> response_{};
    Interaction interaction_;
    PixelRect markerRect_;
    PixelRect lowerHandleRect_;
    PixelRect upperHandleRect_;
    int32_t type_ = ElementType::kPeaking;
    int32_t frequency_ = 1000;
    int32_t geqFrequency_ = 0;
    int32_t sentFrequency_ = 20;
    double gain_ = 0.0;
    int32_t bypass_ = 1;
    int32_t allBypass_ = 0;
    int32_t savedAllBypass_ = 0;
    double bandwidth_ = 0.3;
    double geqBandwidth_ = 0.22;
    int32_t family_ = FilterFamily::kLinkwitzRiley;
    int32_t slope_ = 0;
    int32_t id_ = 0;
    int32_t plotWidth_ = 0;
    int32_t plotHeight_ = 0;
    int32_t isBand_ = 1;
    int32_t markerVisible_ = 1;
    int32_t dirty_ = 0;
    DeviceRow deviceRecord_{};
    std::array<PixelPoint, kElementCurvePointCount> curve_{};
    PixelRect labelRect_;
    std::string label_;
};
static_assert(sizeof(CFilter) % 4096 != 0, "elements 4 KiB apart slow the chain sums down");
