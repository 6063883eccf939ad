// SPDX-License-Identifier: GPL-3.0-or-later
#include "SyntheticRooms.h"

#include <cmath>
#include <random>

#include "roomeq/CodeSearch.h"

namespace {
// A resonance (or, negative, a dip) of `db` at `centre`, `octaves` wide at half its height.
double Bump(double hertz, double centre, double db, double octaves) {
    const double distance = std::log2(hertz / centre) / (octaves / 2.0);
    return db / (1.0 + distance * distance);
}

double Smoothstep(double hertz, double corner, double octaves) {
    return 0.5 * (1.0 + std::tanh(std::log2(hertz / corner) / (octaves / 2.0)));
}

std::vector<double> Ripple(const std::vector<double>& hertz, double db, std::mt19937& random) {
    // Fine roughness: a random walk in log frequency, low-passed so it looks like a measurement.
    std::normal_distribution<double> step(0.0, 1.0);
    std::vector<double> ripple(hertz.size(), 0.0);
    double value = 0.0;
    double slope = 0.0;
    for (size_t k = 0; k < hertz.size(); ++k) {
        slope = 0.8 * slope + 0.2 * step(random);
        value = 0.9 * value + 0.1 * slope;
        ripple[k] = value;
    }
    double peak = 1e-9;
    for (double r : ripple) {
        peak = std::max(peak, std::abs(r));
    }
    for (double& r : ripple) {
        r *= db / peak;
    }
    return ripple;
}
}  // namespace

std::vector<double> LogSpacedHertz(int perOctave) {
    std::vector<double> hertz;
    for (int i = 0;; ++i) {
        const double f = 20.0 * std::exp2(static_cast<double>(i) / perOctave);
        if (f > 20000.0 * 1.0001) {
            break;
        }
        hertz.push_back(f);
    }
    return hertz;
}

MeasurementCurve RoomFromBands(const std::vector<BandCode>& bands, const std::vector<double>& hertz,
                               double noiseDb, uint32_t seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> noise(-noiseDb, noiseDb);
    MeasurementCurve curve{"synthetic room", hertz, BandsResponse(bands, hertz)};
    for (double& db : curve.db) {
        db = 75.0 - db + noise(random);
    }
    return curve;
}

MeasurementCurve LoudspeakerAtPosition(uint32_t seed, int position) {
    std::mt19937 random(seed * 7919u + static_cast<uint32_t>(position));
    std::uniform_real_distribution<double> shift(-0.08, 0.08);
    const std::vector<double> hertz = LogSpacedHertz(48);
    const std::vector<double> ripple = Ripple(hertz, 0.8, random);
    MeasurementCurve curve{"loudspeaker in room", hertz, std::vector<double>(hertz.size())};
    const double move = std::exp2(shift(random));
    for (size_t k = 0; k < hertz.size(); ++k) {
        const double f = hertz[k];
        double db = 82.0;
        // The box's own roll-off below 40 Hz, and room gain above it.
        db -= 24.0 * (1.0 - Smoothstep(f, 38.0, 1.2));
        db += Bump(f, 46.0 * move, 9.0, 0.25) + Bump(f, 71.0 * move, 6.0, 0.2) +
              Bump(f, 112.0 / move, 7.5, 0.18) + Bump(f, 180.0 * move, 3.0, 0.3);
        // A cancellation null between the modes, and the floor bounce.
        db += Bump(f, 145.0 * move, -18.0, 0.06) + Bump(f, 320.0, -5.0, 0.5);
        // Baffle step, the crossover's dip, treble roll-off and a tweeter peak.
        db += -4.0 * (1.0 - Smoothstep(f, 500.0, 2.0)) + Bump(f, 2600.0, -4.0, 0.6) +
              Bump(f, 12000.0, 2.5, 0.8) - 6.0 * Smoothstep(f, 16000.0, 1.0);
        curve.db[k] = db + ripple[k];
    }
    return curve;
}

MeasurementCurve LoudspeakerInRoom(uint32_t seed) {
    return LoudspeakerAtPosition(seed, 0);
}

MeasurementCurve HeadphoneLike(uint32_t seed) {
    std::mt19937 random(seed);
    const std::vector<double> hertz = LogSpacedHertz(48);
    const std::vector<double> ripple = Ripple(hertz, 0.6, random);
    MeasurementCurve curve{"headphone", hertz, std::vector<double>(hertz.size())};
    for (size_t k = 0; k < hertz.size(); ++k) {
        const double f = hertz[k];
        double db = 0.0;
        // Too little bass below 100 Hz, a lower-mid bump, too little ear gain,
        // a sharp peak and a notch in the treble, and the rolled-off top.
        db += -6.0 * (1.0 - Smoothstep(f, 90.0, 1.5)) + Bump(f, 250.0, 2.0, 1.2);
        db += Bump(f, 3000.0, -5.0, 1.0) + Bump(f, 6200.0, 7.0, 0.25) + Bump(f, 8500.0, -6.0, 0.3);
        db += Bump(f, 1200.0, 1.5, 0.5) - 8.0 * Smoothstep(f, 13000.0, 1.0);
        curve.db[k] = 90.0 + db + ripple[k];
    }
    return curve;
}
