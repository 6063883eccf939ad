// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/Frame.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "curves/WideVectors.h"

namespace {
// Built twice (see WideVectors.h), so it lives in this file's namespace: a
// function built that way must carry the attribute wherever it is declared.
SONAVEL_WIDE_VECTOR_CLONES
uint8_t XorOfBytes(std::span<const uint8_t> bytes) {
    // XOR has no carries, so a whole block of bytes folds at once (one or two
    // vector instructions) and the block's bytes fold together at the end.
    constexpr size_t kBlock = 32;
    std::array<uint8_t, kBlock> lanes{};
    size_t i = 0;
    for (; i + kBlock <= bytes.size(); i += kBlock) {
        for (size_t lane = 0; lane < kBlock; ++lane) {
            lanes[lane] ^= bytes[i + lane];
        }
    }
    uint8_t sum = 0;
    for (const uint8_t lane : lanes) {
        sum ^= lane;
    }
    for (; i < bytes.size(); ++i) {
        sum ^= bytes[i];
    }
    return sum;
}
}  // namespace

uint8_t FrameChecksum(std::span<const uint8_t> bytes) {
    return XorOfBytes(bytes);
}

std::vector<uint8_t> AssembleFrame(const FrameHeader& header, std::span<const uint8_t> payload) {
    // Sized once and filled in place: one allocation per frame, and no
    // growing inserts for the optimiser to misjudge.
    std::vector<uint8_t> frame(payload.size() + kFrameOverhead);
    const auto length = static_cast<uint16_t>(payload.size());
    const std::array<uint8_t, kFrameHeaderSize> head{kFrameSync,
                                                     kFrameSync,
                                                     kFrameSync,
                                                     0x00,
                                                     0x00,
                                                     header.command,
                                                     header.subCommand,
                                                     header.a,
                                                     header.b,
                                                     header.c,
                                                     static_cast<uint8_t>(length & 0xFF),
                                                     static_cast<uint8_t>(length >> 8)};
    std::copy(head.begin(), head.end(), frame.begin());
    std::copy(payload.begin(), payload.end(), frame.begin() + kFrameHeaderSize);
    const size_t checksumAt = kFrameHeaderSize + payload.size();
    frame[checksumAt] = FrameChecksum(std::span<const uint8_t>(frame).first(checksumAt));
    frame[checksumAt + 1] = kFrameTerminator;
    return frame;
}

size_t AnnouncedPayloadLength(std::span<const uint8_t> frame) {
    return static_cast<size_t>(frame[10]) | (static_cast<size_t>(frame[11]) << 8);
}

bool IsValidFrame(std::span<const uint8_t> frame) {
    if (frame.size() < kFrameOverhead) {
        return false;
    }
    const size_t length = AnnouncedPayloadLength(frame) + kFrameOverhead;
    if (frame.size() != length) {
        return false;
    }
    return frame[length - 1] == kFrameTerminator &&
           frame[length - 2] == FrameChecksum(frame.first(length - 2));
}

FrameHeader ReadFrameHeader(std::span<const uint8_t> frame) {
    return FrameHeader{frame[5], frame[6], frame[7], frame[8], frame[9]};
}
