// SPDX-License-Identifier: GPL-3.0-or-later
// The high-pass and low-pass cascades of every family and slope: up to four
// sections from tables of Q values (Bessel low-pass: analog prototype
// sections), moved to the corner with the bilinear transform. The high-pass
// corner snaps to the display grid but the low-pass corner does not; that is
// how the device draws them.
#pragma once

#include <array>
#include <span>

#include "curves/BiquadSection.h"
#include "curves/ResponseKinds.h"

inline constexpr int kMaxCrossoverSections = 4;

struct CrossoverSections {
    std::array<BiquadSection, kMaxCrossoverSections> sections{};
    int count = 0;
    std::span<const BiquadSection> View() const& {
        return {sections.data(), static_cast<size_t>(count)};
    }
    // A view of a temporary design would dangle as soon as the statement ends.
    std::span<const BiquadSection> View() const&& = delete;
};

// An unknown family or slope (raw numbers from files and device rows) gives no sections: flat.
CrossoverSections DesignCrossover(int kind, int frequency, int family, int slope);
