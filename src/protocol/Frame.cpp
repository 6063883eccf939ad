// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/Frame.h"

uint8_t FrameChecksum(std::span<const uint8_t> bytes) {
    uint8_t sum = 0;
    for (uint8_t byte : bytes) {
        sum ^= byte;
    }
    return sum;
}

std::vector<uint8_t> AssembleFrame(const FrameHeader& header, std::span<const uint8_t> payload) {
    std::vector<uint8_t> frame;
    frame.reserve(payload.size() + kFrameOverhead);
    const auto length = static_cast<uint16_t>(payload.size());
    frame.insert(frame.end(),
                 {kFrameSync, kFrameSync, kFrameSync, 0x00, 0x00, header.command, header.subCommand,
                  header.a, header.b, header.c, static_cast<uint8_t>(length & 0xFF),
                  static_cast<uint8_t>(length >> 8)});
    frame.insert(frame.end(), payload.begin(), payload.end());
    frame.push_back(FrameChecksum(frame));
    frame.push_back(kFrameTerminator);
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
