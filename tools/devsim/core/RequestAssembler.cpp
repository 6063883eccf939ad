// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/RequestAssembler.h"

#include "protocol/Frame.h"

namespace devsim {

std::vector<ReceivedFrame> RequestAssembler::Add(std::span<const uint8_t> bytes) {
    std::vector<ReceivedFrame> frames;
    for (uint8_t byte : bytes) {
        if (frame_.empty()) {
            // Searching: three sync bytes in a row open a frame.
            syncCount_ = byte == kFrameSync ? syncCount_ + 1 : 0;
            if (syncCount_ == 3) {
                frame_ = {kFrameSync, kFrameSync, kFrameSync};
                syncCount_ = 0;
            }
            continue;
        }
        frame_.push_back(byte);
        if (frame_.size() < kFrameHeaderSize) {
            continue;
        }
        const size_t expected = AnnouncedPayloadLength(frame_) + kFrameOverhead;
        if (expected > kMaxFrameLength) {
            // No request is that long: drop the header and search again.
            frame_.clear();
            continue;
        }
        if (frame_.size() == expected) {
            frames.push_back({frame_, IsValidFrame(frame_)});
            frame_.clear();
        }
    }
    return frames;
}

void RequestAssembler::Reset() {
    frame_.clear();
    syncCount_ = 0;
}

}  // namespace devsim
