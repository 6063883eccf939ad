// SPDX-License-Identifier: GPL-3.0-or-later
#include "curves/Response.h"

#include <algorithm>
#include <cmath>

BiquadSection DesignPeaking(double centreHertz, double gainDb, double bandwidthOctaves) {
    double a = std::pow(10.0, gainDb / 40.0);
    double omega0 = centreHertz * kDesignFrequencyFactor;
    double sine = std::sin(omega0);
    double alpha = sine * std::sinh(kLn2 * bandwidthOctaves * omega0 / sine);
    double cosine = std::cos(omega0);
    return {1.0 + alpha * a, -2.0 * cosine, 1.0 - alpha * a,
            1.0 + alpha / a, -2.0 * cosine, 1.0 - alpha / a};
}

BiquadSection DesignShelf(int kind, double centreHertz, double gainDb, int slope) {
    if (gainDb == 0.0 || (slope != 0 && slope != 1)) {
        return {};
    }
    bool low = kind == ElementType::kLowShelf;
    // The steeper shelf and the position of its corner are the device's choice of S and offset.
    double s = slope == 0 ? 0.5 : 1.05;
    double shift =
        low ? (slope == 0 ? 2.0 : 1.2727272727) : (slope == 0 ? 0.4545454546 : 0.76923076923);
    double omega0 = centreHertz * kDesignFrequencyFactor * shift;

    double a = std::pow(10.0, gainDb / 40.0);
    // Very large gains (only reachable from a damaged file or row) would take the root negative.
    double root = std::sqrt(std::max(0.0, (a + 1.0 / a) * (1.0 / s - 1.0) + 2.0));
    double alpha = std::sin(omega0) / 2.0 * root;
    double c = std::cos(omega0);
    double t = 2.0 * std::sqrt(a) * alpha;
    if (low) {
        return {a * ((a + 1.0) - (a - 1.0) * c + t), 2.0 * a * ((a - 1.0) - (a + 1.0) * c),
                a * ((a + 1.0) - (a - 1.0) * c - t), (a + 1.0) + (a - 1.0) * c + t,
                -2.0 * ((a - 1.0) + (a + 1.0) * c),  (a + 1.0) + (a - 1.0) * c - t};
    }
    return {a * ((a + 1.0) + (a - 1.0) * c + t), -2.0 * a * ((a - 1.0) + (a + 1.0) * c),
            a * ((a + 1.0) + (a - 1.0) * c - t), (a + 1.0) - (a - 1.0) * c + t,
            2.0 * ((a - 1.0) - (a + 1.0) * c),   (a + 1.0) - (a - 1.0) * c - t};
}

void ComputeElementResponse(const ElementResponseInput& input, GridResponse& response) {
    switch (input.kind) {
        case ElementType::kPeaking:
            if (input.bypassed) {
                break;
            }
            {
                BiquadSection section = DesignPeaking(NearestGridFrequency(input.frequency),
                                                      input.gain, input.bandwidth);
                EvaluateSections({&section, 1}, response);
            }
            return;
        case ElementType::kLowShelf:
        case ElementType::kHighShelf:
            if (input.bypassed) {
                break;
            }
            {
                BiquadSection section = DesignShelf(
                    input.kind, NearestGridFrequency(input.frequency), input.gain, input.slope);
                EvaluateSections({&section, 1}, response);
            }
            return;
        case ElementType::kHighPass:
        case ElementType::kLowPass: {
            // A high-pass at 20 Hz and a low-pass at 20 kHz are switched off.
            int off = input.kind == ElementType::kHighPass ? 20 : 20000;
            if (input.frequency == off) {
                break;
            }
            CrossoverSections design =
                DesignCrossover(input.kind, input.frequency, input.family, input.slope);
            EvaluateSections(design.View(), response);
            return;
        }
        default:
            break;
    }
    response.fill(0.0);
}
