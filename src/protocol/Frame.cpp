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
    // Two blocks are folded side by side, so each fold need not wait for the
    // one before; what is left folds eight bytes at a time.
    constexpr size_t kBlock = 32;
    constexpr size_t kWord = sizeof(uint64_t);
    std::array<uint8_t, kBlock> even{};
    std::array<uint8_t, kBlock> odd{};
    const uint8_t* data = bytes.data();
    const size_t size = bytes.size();
    size_t i = 0;
    for (; i + 2 * kBlock <= size; i += 2 * kBlock) {
        for (size_t lane = 0; lane < kBlock; ++lane) {
            even[lane] ^= data[i + lane];
        }
        for (size_t lane = 0; lane < kBlock; ++lane) {
            odd[lane] ^= data[i + kBlock + lane];
        }
    }
    for (; i + kBlock <= size; i += kBlock) {
        for (size_t lane = 0; lane < kBlock; ++lane) {
            even[lane] ^= data[i + lane];
        }
    }
    for (size_t lane = 0; lane < kBlock; ++lane) {
        even[lane] ^= odd[lane];
    }
    uint64_t words = 0;
    for (size_t lane = 0; lane < kBlock; lane += kWord) {
        uint64_t word = 0;
        std::memcpy(&word, even.data() + lane, kWord);
        words ^= word;
    }
    for (; i + kWord <= size; i += kWord) {
        uint64_t word = 0;
        std::memcpy(&word, data + i, kWord);
        words ^= word;
    }
    // The eight bytes of the word fold into one, whatever their order.
    words ^= words >> 32;
    words ^= words >> 16;
    words ^= words >> 8;
    auto sum = static_cast<uint8_t>(words);
    for (; i < size; ++i) {
        sum ^= data[i];
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
    WriteFrame(header, payload, frame);
    return frame;
}

void WriteFrame(const FrameHeader& header, std::span<const uint8_t> payload,
                std::span<uint8_t> frame) {
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
    frame[checksumAt] = FrameChecksum(frame.first(checksumAt));
    frame[checksumAt + 1] = kFrameTerminator;
}

bool IsValidFrame(std::span<const uint8_t> frame) {
    if (frame.size() < kFrameOverhead) {
        return false;
    }
    const size_t length = AnnouncedPayloadLength(frame) + kFrameOverhead;
    if (frame.size() != length) {
        return false;
    }
    return HasValidEnd(frame);
}
