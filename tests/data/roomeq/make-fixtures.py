#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the room-EQ fixtures: one made-up room measured at three positions,
# each in another file format, a microphone calibration, a target file and
# two damaged files. Run it from this folder; the files are kept in the tree.
import math


def bump(f, centre, db, octaves):
    d = math.log2(f / centre) / (octaves / 2)
    return db / (1 + d * d)


def room(f, shift):
    return (80 + bump(f, 50 * shift, 8, 0.25) + bump(f, 110 / shift, 5, 0.3)
            + bump(f, 300, -4, 1.0) + bump(f, 3000, 3, 0.8)
            + 0.3 * math.sin(f / 37.0))


points = [20 * 2 ** (i / 24) for i in range(240)]
shifts = [1.0, 1.05, 0.96]

with open("room-rew.txt", "w") as out:
    out.write("* Measurement data measured by the analyser\n")
    out.write("* Source: USB measurement microphone, 48000 Hz\n")
    out.write("* Format: 1/24 octave, smoothing: none\n")
    out.write("* Freq(Hz) SPL(dB) Phase(degrees)\n")
    for f in points:
        out.write(f"{f:.3f} {room(f, shifts[0]):.3f} {-90 + f / 300:.2f}\n")

with open("room-position2.csv", "w") as out:
    out.write("frequency,spl,phase\n")
    for f in points:
        out.write(f"{f:.2f},{room(f, shifts[1]) - 3:.2f},0\n")

with open("room-position3.txt", "w") as out:
    out.write('"Sound pressure level"\n"Position 3, 1 m above the seat"\n')
    out.write("Freq[Hz]\tdBSPL\tPhase[Deg]\n")
    for f in points:
        hertz = f"{f:,.2f}" if f >= 1000 else f"{f:.6e}"
        out.write(f"{hertz}\t{room(f, shifts[2]) + 2:.4e}\t0\n")

with open("mic.cal", "w") as out:
    out.write('"Sens Factor =-1.5dB, SERNO: 7001234"\n')
    for f, db in [(10, -2.0), (20, -1.0), (50, 0.0), (5000, 0.0), (10000, 1.0), (20000, 2.5)]:
        out.write(f"{f} {db}\n")

with open("house-target.frd", "w") as out:
    out.write("# a house curve: -1 dB a decade and 4 dB more bass\n")
    for f in [20, 50, 100, 200, 1000, 5000, 10000, 20000]:
        out.write(f"{f} {-math.log10(f / 1000) + 10 * math.log10((10 ** 0.4 * 1e4 + f * f) / (1e4 + f * f)):.3f} 0\n")

with open("bad-order.txt", "w") as out:
    out.write("* Freq(Hz) SPL(dB)\n20 80\n40 81\n30 82\n")

with open("bad-nan.txt", "w") as out:
    out.write("20\t80\n40\tNaN\n")
