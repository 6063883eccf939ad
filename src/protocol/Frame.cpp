// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/Frame.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "curves/WideVectors.h"

#if SONAVEL_WIDE_VECTOR_INTRINSICS
#include <immintrin.h>
#endif

namespace {
// The eight bytes of `words`, then the bytes of data[i, size) eight and then
// one at a time, folded into one byte.
inline uint8_t FoldRest(uint64_t words, const uint8_t* data, size_t i, size_t size) {
    constexpr size_t kWord = sizeof(uint64_t);
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
    return FoldRest(words, data, i, size);
}

#if SONAVEL_WIDE_VECTOR_INTRINSICS
SONAVEL_WIDE_VECTOR_TARGET
__m256i LoadBlock(const uint8_t* at) {
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at));
}

// Bytes [32 - n, 32) of the 32 read from kLastBytesMask + n are all ones:
// the mask that keeps the last n bytes of a block.
constexpr std::array<uint8_t, 64> kLastBytesMask = [] {
    std::array<uint8_t, 64> mask{};
    for (size_t i = 32; i < mask.size(); ++i) {
        mask[i] = 0xFF;
    }
    return mask;
}();

// The same fold written out in 256-bit registers: the compiler keeps the
// plain loop's partial folds in memory between its steps, and reading them
// back cost as much as the fold itself on a whole-program reply. Four blocks
// fold side by side so two loads issue every cycle; the bytes after the last
// whole block are the end of one more block read back from the end, with the
// bytes already folded masked off, so nothing leaves the vector registers
// before the final fold.
SONAVEL_WIDE_VECTOR_TARGET
uint8_t XorOfBytesWide(std::span<const uint8_t> bytes) {
    constexpr size_t kBlock = 32;
    const uint8_t* data = bytes.data();
    const size_t size = bytes.size();
    if (size < kBlock) {
        return FoldRest(0, data, 0, size);
    }
    __m256i first = _mm256_setzero_si256();
    __m256i second = first;
    __m256i third = first;
    __m256i fourth = first;
    size_t i = 0;
    for (; i + 4 * kBlock <= size; i += 4 * kBlock) {
        first = _mm256_xor_si256(first, LoadBlock(data + i));
        second = _mm256_xor_si256(second, LoadBlock(data + i + kBlock));
        third = _mm256_xor_si256(third, LoadBlock(data + i + 2 * kBlock));
        fourth = _mm256_xor_si256(fourth, LoadBlock(data + i + 3 * kBlock));
    }
    for (; i + kBlock <= size; i += kBlock) {
        first = _mm256_xor_si256(first, LoadBlock(data + i));
    }
    const size_t left = size - i;
    second = _mm256_xor_si256(second, _mm256_and_si256(LoadBlock(data + size - kBlock),
                                                       LoadBlock(kLastBytesMask.data() + left)));
    const __m256i all =
        _mm256_xor_si256(_mm256_xor_si256(first, second), _mm256_xor_si256(third, fourth));
    const __m128i half =
        _mm_xor_si128(_mm256_castsi256_si128(all), _mm256_extracti128_si256(all, 1));
    const auto words = static_cast<uint64_t>(_mm_cvtsi128_si64(half)) ^
                       static_cast<uint64_t>(_mm_extract_epi64(half, 1));
    return FoldRest(words, data, size, size);
}
#endif
}  // namespace

uint8_t FrameChecksum(std::span<const uint8_t> bytes) {
#if SONAVEL_WIDE_VECTOR_INTRINSICS
    if (WideVectorsAvailable()) {
        return XorOfBytesWide(bytes);
    }
#endif
    return XorOfBytes(bytes);
}

uint8_t FrameChecksumPlain(std::span<const uint8_t> bytes) {
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
