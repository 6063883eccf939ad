// SPDX-License-Identifier: GPL-3.0-or-later
// The one wire format of every link: three 0x5A sync bytes, two reserved
// bytes, command, sub-command, arguments A/B/C, a little-endian payload length
// N, the payload, an XOR checksum and the terminator 0xAA. There is no
// escaping, so the end of a frame is found from N alone.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace Command {
inline constexpr uint8_t kWrite = 0xA1;  // row, name or system item write
inline constexpr uint8_t kRead = 0xA2;   // name or system item read
inline constexpr uint8_t kOutputRecordWrite = 0xA3;
inline constexpr uint8_t kEffectGroupRead = 0xA4;
inline constexpr uint8_t kStorePreset = 0xA5;
inline constexpr uint8_t kRecallPreset = 0xA6;
inline constexpr uint8_t kProgramWrite = 0xA7;
inline constexpr uint8_t kProgramRead = 0xA8;
inline constexpr uint8_t kStatusPoll = 0xA9;
inline constexpr uint8_t kAccepted = 0xAA;
inline constexpr uint8_t kRefused = 0xAB;
}  // namespace Command

inline constexpr uint8_t kFrameSync = 0x5A;
inline constexpr uint8_t kFrameTerminator = 0xAA;
inline constexpr size_t kFrameHeaderSize = 12;
// Header plus checksum and terminator: a frame is N + 14 bytes.
inline constexpr size_t kFrameOverhead = 14;
inline constexpr size_t kMaxPayloadLength = 1032;
inline constexpr size_t kMaxFrameLength = kMaxPayloadLength + kFrameOverhead;

struct FrameHeader {
    uint8_t command = 0;
    uint8_t subCommand = 0;
    uint8_t a = 0;
    uint8_t b = 0;
    uint8_t c = 0;
    friend bool operator==(const FrameHeader&, const FrameHeader&) = default;
};

// XOR of all the given bytes, starting from 0.
uint8_t FrameChecksum(std::span<const uint8_t> bytes);
// The same with the plain fold on any processor: the reference the wide fold,
// chosen at run time where the processor has it, is held against.
uint8_t FrameChecksumPlain(std::span<const uint8_t> bytes);

// Builds a complete frame of payload.size() + 14 bytes.
std::vector<uint8_t> AssembleFrame(const FrameHeader& header, std::span<const uint8_t> payload);

// Writes the same frame as AssembleFrame into `frame`, which is exactly
// payload.size() + 14 bytes, for callers that own the frame's storage.
void WriteFrame(const FrameHeader& header, std::span<const uint8_t> payload,
                std::span<uint8_t> frame);

// Payload length announced by a header of at least 12 bytes.
inline size_t AnnouncedPayloadLength(std::span<const uint8_t> frame) {
    return static_cast<size_t>(frame[10]) | (static_cast<size_t>(frame[11]) << 8);
}

// True when `frame` is exactly one frame with a matching checksum and terminator.
// Sync and reserved bytes are not examined, as on the device.
bool IsValidFrame(std::span<const uint8_t> frame);

// True when the checksum and terminator of `frame`, at least 14 bytes whose
// length the caller has already taken from its header, are right.
inline bool HasValidEnd(std::span<const uint8_t> frame) {
    const size_t length = frame.size();
    return frame[length - 1] == kFrameTerminator &&
           frame[length - 2] == FrameChecksum(frame.first(length - 2));
}

// Header fields of a frame of at least 12 bytes.
inline FrameHeader ReadFrameHeader(std::span<const uint8_t> frame) {
    return FrameHeader{frame[5], frame[6], frame[7], frame[8], frame[9]};
}
