// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/SendData.h"

#include <utility>

CSendData::CSendData(FrameBytes frameBytes)
    : frame(std::move(frameBytes)),
      length(static_cast<int32_t>(frame.size())),
      command(frame.size() > 5 ? frame[5] : 0) {}

CSendData::CSendData(const FrameHeader& header, std::span<const uint8_t> payload)
    : frame(FrameBytes::Filled(
          payload.size() + kFrameOverhead,
          [&](std::span<uint8_t> bytes) { WriteFrame(header, payload, bytes); })),
      length(static_cast<int32_t>(frame.size())),
      command(frame[5]) {}

std::unique_ptr<CSendData> MakeMessage(const FrameHeader& header,
                                       std::span<const uint8_t> payload) {
    return std::make_unique<CSendData>(header, payload);
}

std::unique_ptr<CSendData> MakeMessage(std::span<const uint8_t> frame) {
    return std::make_unique<CSendData>(FrameBytes(frame));
}
