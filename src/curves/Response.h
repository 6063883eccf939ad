// SPDX-License-Identifier: GPL-3.0-or-later
// Magnitude responses of equaliser elements on the display grid: peaking
// bands, shelves and the crossover cascades, as pictures of what the device
// does. They run on every step of a drag: no heap allocation anywhere here,
// and results go into caller-owned arrays.
#pragma once

#include "curves/BiquadSection.h"
#include "curves/CrossoverDesign.h"
#include "curves/ResponseKinds.h"

inline constexpr double kLn2 = 0.69314718;

// Everything the response of one element depends on.
struct ElementResponseInput {
    int kind = ElementType::kPeaking;
    int frequency = 1000;    // Hz
    double gain = 0.0;       // dB
    double bandwidth = 0.3;  // octaves
    int family = FilterFamily::kLinkwitzRiley;
    int slope = 0;
    bool bypassed = true;  // the element's own bypass or "All Bypass"
};

// Fills `response` (dB at every grid frequency) for one element.
void ComputeElementResponse(const ElementResponseInput& input, GridResponse& response);

// The band designs behind it, at the grid frequency nearest to the band's.
BiquadSection DesignPeaking(double centreHertz, double gainDb, double bandwidthOctaves);
// A 0 dB shelf, or a slope index other than 0 ("6dB") and 1 ("12dB"), is the identity.
BiquadSection DesignShelf(int kind, double centreHertz, double gainDb, int slope);
