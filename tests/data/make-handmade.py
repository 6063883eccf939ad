#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes handmade.dia byte by byte from the documented ".dia" layout, without
# any of the editor's code, so the golden tests hold the serializer to the
# layout rather than to itself. Every value is chosen to be recognisable in a
# hex dump and to come back unchanged when the editor loads and re-saves it.
import struct
import sys
from pathlib import Path


def u8(value):
    return struct.pack("<B", value)


def i32(value):
    return struct.pack("<i", value)


def f64(value):
    return struct.pack("<d", value)


def string(text):
    assert len(text) < 255
    return u8(len(text)) + text


# Element kinds and families.
PEAKING, LOW_SHELF, HIGH_SHELF, HIGH_PASS, LOW_PASS = 0, 1, 2, 3, 4
LINKWITZ_RILEY, BESSEL, BUTTERWORTH = 0, 1, 2


def element(kind, frequency, geq_frequency, sent_frequency, gain, all_bypass, bypass,
            bandwidth, geq_bandwidth, family, slope, element_id):
    record = (i32(kind) + i32(frequency) + i32(geq_frequency) + i32(sent_frequency) +
              f64(gain) + i32(all_bypass) + i32(bypass) + f64(bandwidth) +
              f64(geq_bandwidth) + i32(family) + i32(slope) + i32(element_id))
    assert len(record) == 60
    return record


def band(element_id, frequency, gain=0.0, bandwidth=0.3, kind=PEAKING, slope=0,
         geq_frequency=0, all_bypass=0):
    # A band is bypassed exactly when its gain is 0 dB.
    bypass = 1 if gain == 0.0 else 0
    return element(kind, frequency, geq_frequency, frequency, gain, all_bypass, bypass,
                   bandwidth, 0.22, 0, slope, element_id)


def crossover(kind, element_id, frequency, sent_frequency, family, slope):
    return element(kind, frequency, 0, sent_frequency, 0.0, 0, 1, 0.3, 0.22, family,
                   slope, element_id)


INPUT_BAND_FREQUENCIES = [20, 33, 54, 88, 144, 236, 386, 632, 1036, 1697, 2779, 4552,
                          7965, 10000, 15000, 20000]


def input_channel(channel, name):
    first_id = 3 if channel == 2 else 1
    fields = (u8(0x0A + channel)           # 0: stored byte A
              + u8(1)                      # 1: polarity
              + i32(-(100 + channel))      # 2: delay
              + i32(40 + channel)          # 6: gain
              + u8(0x0D + channel)         # 10: stored byte D
              + i32(-(5000 + channel))     # 11: stored integer E
              + u8(0x0F + channel)         # 15: stored byte F
              + u8(channel % 2)            # 16: link slot
              + u8(50 + channel)           # 17: level
              + u8(60 + channel)           # 18: aux level
              + i32(0)                     # 19: mute
              + u8(channel)                # 23: feedback mode
              + u8(3 + channel)            # 24: bass attenuation
              + bytes([1 + channel, 2 + channel, 3 + channel, 4 + channel]))  # 25: effect codes
    assert len(fields) == 29
    bands = b""
    for index, frequency in enumerate(INPUT_BAND_FREQUENCIES):
        if index == 0:
            bands += band(first_id, 120, gain=4.5, kind=LOW_SHELF, slope=1, bandwidth=0.02)
        elif index == 15:
            bands += band(first_id + 15, 8000, gain=-6.0, kind=HIGH_SHELF, bandwidth=0.01)
        elif index == 4 + channel:
            bands += band(first_id + index, frequency + 1, gain=-3.5, bandwidth=1.0)
        else:
            bands += band(first_id + index, frequency)
    high_pass = crossover(HIGH_PASS, 2, 80 + 10 * channel, 80 + 10 * channel, BUTTERWORTH, 3)
    low_pass = crossover(LOW_PASS, 2, 20000, 20000, BUTTERWORTH, 3)
    return string(name) + fields + bands + high_pass + low_pass


OUTPUT_BAND_FREQUENCIES = [47, 112, 266, 631, 1495, 3544, 8399]


def output_channel(channel, name):
    fields = (i32(7000 + channel)          # 0: stored integer B
              + u8(0xA0 + channel)         # 4: stored byte A
              + u8(0xC0 + channel)         # 5: stored byte C
              + i32(30 + channel)          # 6: gain
              + u8(channel % 2)            # 10: polarity
              + u8(0x10 | channel)         # 11: switch bits
              + i32(200 + channel)         # 12: delay
              + u8(0xE0 + channel)         # 16: stored byte E
              + i32(channel % 2)           # 17: EQ mode
              + i32(-(12 + channel))       # 21: limiter threshold
              + i32(5 + channel)           # 25: limiter attack
              + i32(9 + channel)           # 29: limiter release
              + u8(0x60 + channel)         # 33: stored byte G
              + u8(channel)                # 34: output kind
              + u8(0x80 + channel)         # 35: stored byte H
              + bytes([10 + channel, 20 + channel, 30 + channel, 40 + channel])  # 36: mix levels
              + i32(1) + i32(0) + i32(1) + i32(channel % 2))  # 40: mic and music switches
    assert len(fields) == 56
    bands = b""
    for index, frequency in enumerate(OUTPUT_BAND_FREQUENCIES):
        gain = 2.5 if index == channel else 0.0
        bands += band(4 + index, frequency, gain=gain, bandwidth=0.5,
                      geq_frequency=frequency, all_bypass=1 if index == 6 else 0)
    if channel == 3:
        # The subwoofer's low-pass is still walking from 20000 Hz down to 100 Hz.
        low_pass = crossover(LOW_PASS, 2, 100, 5000, LINKWITZ_RILEY, 2)
    else:
        low_pass = crossover(LOW_PASS, 2, 20000, 20000, LINKWITZ_RILEY, 0)
    high_pass = crossover(HIGH_PASS, 2, 40 * (channel + 1), 40 * (channel + 1), BESSEL,
                          channel % 4)
    return string(name) + fields + bands + high_pass + low_pass


def effect():
    params = list(range(0x30, 0x40))       # effect parameters 0..15
    fields = (bytes(params[0:7])           # 0: parameters 0..6
              + i32(0)                     # 7: effect mute
              + u8(params[7])              # 11: parameter 7
              + u8(4)                      # 12: effect mode
              + bytes(params[8:16]))       # 13: parameters 8..15
    assert len(fields) == 21
    bands = band(22, 20) + band(23, 500, gain=3.0, bandwidth=2.0) + band(24, 54)
    return (fields + bands + crossover(HIGH_PASS, 21, 20, 20, BUTTERWORTH, 3)
            + crossover(LOW_PASS, 21, 12000, 12000, BUTTERWORTH, 3))


def program():
    data = string(b"Handmade")
    data += input_channel(0, b"Music L") + input_channel(1, b"Music R") + input_channel(2, b"Mic")
    for channel, name in enumerate([b"Main L", b"Main R", b"Centre", b"Sub", b"Surr L",
                                    b"Surr R"]):
        data += output_channel(channel, name)
    return data + effect()


if __name__ == "__main__":
    out = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).with_name("handmade.dia")
    out.write_bytes(program())
