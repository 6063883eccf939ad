// SPDX-License-Identifier: GPL-3.0-or-later
// Made-up measurements for the room fit's tests and benchmarks, built from
// nothing but the project's own response maths and a fixed random sequence:
// rooms made as a target minus the response of known device bands, and
// loudspeaker-in-room and headphone-like responses with the features real
// measurements have (modes, nulls, baffle step, crossover dip, ear-gain
// error, treble resonances, fine ripple).
#pragma once

#include <cstdint>
#include <vector>

#include "roomeq/BandCode.h"
#include "roomeq/MeasurementCurve.h"

// Points spaced 1/`perOctave` octave from 20 Hz to 20 kHz.
std::vector<double> LogSpacedHertz(int perOctave);

// -(response of `bands`) at `hertz`, plus uniform noise of +-`noiseDb`.
MeasurementCurve RoomFromBands(const std::vector<BandCode>& bands, const std::vector<double>& hertz,
                               double noiseDb, uint32_t seed);

// A loudspeaker in a room, 1/48-octave points; `seed` varies the details.
MeasurementCurve LoudspeakerInRoom(uint32_t seed);
// A headphone's error against its target, 1/48-octave points.
MeasurementCurve HeadphoneLike(uint32_t seed);
// The same loudspeaker at another listening position: the modes move, the rest stays.
MeasurementCurve LoudspeakerAtPosition(uint32_t seed, int position);
