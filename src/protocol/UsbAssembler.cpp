// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/UsbAssembler.h"

#include <algorithm>

#include "protocol/Frame.h"

namespace {
constexpr int kSyncLength = 3;
constexpr int kHeaderLength = static_cast<int>(kFrameHeaderSize);
}  // namespace

bool UsbAssembler::Feed(std::span<const uint8_t> report) {
    // A caller that feeds on without resetting starts a new frame rather than
    // writing past the end of the last one.
    if (frameLength_ != 0) {
        Reset();
    }
    size_t position = 0;
    while (position < report.size()) {
        const uint8_t byte = report[position];
        if (!synced_) {
            // Bytes between the sync bytes are ignored and do not restart the count.
            if (byte == kFrameSync) {
                area_[static_cast<size_t>(index_++)] = byte;
                synced_ = index_ == kSyncLength;
            }
            ++position;
            continue;
        }
        if (index_ < kHeaderLength) {
            area_[static_cast<size_t>(index_++)] = byte;
            ++position;
            if (index_ == kHeaderLength && !AcceptHeader()) {
                return true;
            }
            continue;
        }
        // Payload, checksum and terminator: as much as this report holds.
        const int frameEnd = payloadLength_ + kHeaderLength + 2;
        const size_t take =
            std::min(static_cast<size_t>(frameEnd - index_), report.size() - position);
        std::copy_n(report.begin() + static_cast<std::ptrdiff_t>(position), take,
                    area_.begin() + index_);
        index_ = static_cast<int16_t>(index_ + static_cast<int>(take));
        position += take;
        if (index_ == frameEnd) {
            return Complete();
        }
    }
    return false;
}

bool UsbAssembler::AcceptHeader() {
    // Read as the device's signed 16-bit length; anything negative or longer
    // than a program image cannot be a reply and would overrun the area.
    payloadLength_ = static_cast<int16_t>(area_[10] | (area_[11] << 8));
    if (payloadLength_ < 0 || payloadLength_ > static_cast<int>(kMaxPayloadLength)) {
        Reset();
        error_ = true;
        return false;
    }
    return true;
}

bool UsbAssembler::Complete() {
    frameLength_ = static_cast<size_t>(index_);
    error_ = !IsValidFrame(Frame());
    return true;
}

void UsbAssembler::Reset() {
    area_.fill(0);
    index_ = 0;
    payloadLength_ = 0;
    frameLength_ = 0;
    synced_ = false;
    error_ = false;
}
