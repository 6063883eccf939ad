// SPDX-License-Identifier: GPL-3.0-or-later
// Band responses at any frequencies, not only on the display grid: a room
// measurement has points of its own, and the fit must judge the chain there.
// The designs are the display's own (a band is designed at the grid frequency
// nearest to its code), so a fitted curve and the graph agree point for point.
#pragma once

#include <span>
#include <vector>

#include "curves/BiquadSection.h"
#include "curves/Response.h"

// The unit-circle angles of a list of frequencies, computed once per list.
class FrequencyPoints {
  public:
    explicit FrequencyPoints(std::span<const double> hertz);

    int Count() const { return static_cast<int>(cosine_.size()); }
    std::span<const double> Cosine() const { return cosine_; }
    std::span<const double> Sine() const { return sine_; }

  private:
    std::vector<double> cosine_;
    std::vector<double> sine_;
};

// Writes the summed dB contribution of `sections` at every point into `db` (Count() values).
void EvaluateSectionsAt(std::span<const BiquadSection> sections, const FrequencyPoints& points,
                        std::span<double> db);

// One element's response at every point, as ComputeElementResponse gives it on the grid.
void ComputeElementResponseAt(const ElementResponseInput& input, const FrequencyPoints& points,
                              std::span<double> db);
