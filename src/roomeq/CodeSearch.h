// SPDX-License-Identifier: GPL-3.0-or-later
// The fit itself: equaliser bands placed on the device's own codes so that
// the chain they make comes as close as it can to a wanted correction.
//
// It searches the codes directly, never continuous values rounded at the
// end: first greedily, one band at a time where it removes the most error,
// then jointly, moving each band's frequency, bandwidth, gain and slope code
// by code steps while the error falls. Every candidate is judged with the
// project's response maths at the measurement's own points.
#pragma once

#include <atomic>
#include <functional>
#include <vector>

#include "roomeq/BandCode.h"

struct FitTask {
    std::vector<double> hertz;
    // What the fitted bands should add at each point, up to a constant (dB).
    std::vector<double> desired;
    // One per point, summing to 1.
    std::vector<double> weights;
};

struct FitLimits {
    int bandCount = 10;
    // No point of the fitted bands' sum rises above this.
    double maxBoostDb = 6.0;
    bool shelves = true;
    // Band frequencies stay inside the fitting range.
    double lowHertz = 40.0;
    double highHertz = 16000.0;
};

struct FitControl {
    // Set from another thread to stop the fit at its next step.
    const std::atomic<bool>* cancel = nullptr;
    // Called on the fitting thread with the share done, 0..1.
    std::function<void(double)> progress;
};

struct FitOutcome {
    // bandCount bands; a band the fit had no use for is at 0 dB.
    std::vector<BandCode> bands;
    bool cancelled = false;
};

FitOutcome FitBandCodes(const FitTask& task, const FitLimits& limits,
                        const FitControl& control = {});

// The fitted bands' summed response at each point of `hertz`.
std::vector<double> BandsResponse(const std::vector<BandCode>& bands,
                                  const std::vector<double>& hertz);
