// SPDX-License-Identifier: GPL-3.0-or-later
// A chain's summed response: its elements' responses in dB added point by
// point, element after element from zero, and the two polylines drawn from
// that sum. Every chain is summed and redrawn on every drag step, so on
// processors with 256-bit vectors the sum and the drawing run as one pass
// that keeps each block of points in registers.
#pragma once

#include <span>

#include "curves/BiquadSection.h"
#include "curves/ElementGeometry.h"

void SumResponses(std::span<const GridResponse* const> responses, GridResponse& sumDb);

// Only the y of each point changes; x is where PlaceSumCurvesX put it.
void DrawSummedResponses(std::span<const GridResponse* const> responses, const GraphScale& scale,
                         SumCurve& curve, SumCurveF& curveF);

// The two ways DrawSummedResponses may go, for tests that hold the one-pass
// version against the plain one. The one-pass version may be called only
// where it is available.
bool OnePassDrawAvailable();
void DrawSummedResponsesOnePass(std::span<const GridResponse* const> responses,
                                const GraphScale& scale, SumCurve& curve, SumCurveF& curveF);
void DrawSummedResponsesPlain(std::span<const GridResponse* const> responses,
                              const GraphScale& scale, SumCurve& curve, SumCurveF& curveF);
