// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/StreamAssembler.h"

#include <algorithm>

#include "protocol/Frame.h"

namespace {
constexpr uint8_t kBlank = 0x20;
}

StreamAssembler::Outcome StreamAssembler::Feed(std::span<const uint8_t> bytes) {
    frameLength_ = 0;
    inPlaceFrame_ = nullptr;
    size_t start = 0;
    if (!inFrame_) {
        start = ScanForStart(bytes);
        if (!inFrame_) {
            return Outcome::Incomplete;
        }
        switch (TakeWholeFrame(bytes, start)) {
            case WholeFrame::Complete:
                return Outcome::Complete;
            case WholeFrame::Rejected:
                return Outcome::Rejected;
            case WholeFrame::NotWhole:
                break;
        }
    }
    return Collect(bytes.subspan(start));
}

StreamAssembler::WholeFrame StreamAssembler::TakeWholeFrame(std::span<const uint8_t> bytes,
                                                            size_t afterSync) {
    // Only a frame whose three sync bytes and all the rest lie in this read,
    // as a reply usually arrives, is taken where it lies; anything else is
    // collected into the buffer.
    constexpr size_t kSyncCount = 3;
    if (afterSync < kSyncCount || bytes[afterSync - 3] != kFrameSync ||
        bytes[afterSync - 2] != kFrameSync) {
        return WholeFrame::NotWhole;
    }
    const std::span<const uint8_t> frame = bytes.subspan(afterSync - kSyncCount);
    if (frame.size() < kFrameHeaderSize + 2) {
        return WholeFrame::NotWhole;
    }
    const size_t length = AnnouncedPayloadLength(frame) + kFrameOverhead;
    if (length > kMaxFrameLength) {
        ReturnToSearching();
        return WholeFrame::Rejected;
    }
    if (frame.size() < length) {
        return WholeFrame::NotWhole;
    }
    // The length agrees with the header by construction; only the frame's end is checked.
    const bool valid = HasValidEnd(frame.first(length));
    ReturnToSearching();
    if (!valid) {
        return WholeFrame::Rejected;
    }
    inPlaceFrame_ = frame.data();
    frameLength_ = length;
    return WholeFrame::Complete;
}

size_t StreamAssembler::ScanForStart(std::span<const uint8_t> bytes) {
    // The state lives in locals while scanning and is stored once at the end.
    int syncCount = syncCount_;
    bool synced = synced_;
    for (size_t i = 0; i < bytes.size(); ++i) {
        const uint8_t byte = bytes[i];
        if (synced) {
            if (byte == kFrameSync) {
                inFrame_ = true;
                synced_ = true;
                syncCount_ = 0;
                frame_[0] = frame_[1] = frame_[2] = kFrameSync;
                count_ = 3;
                expectedLength_ = 0;
                return i + 1;
            }
            // A stray terminator between two replies keeps the sync.
            if (byte != kFrameTerminator) {
                synced = false;
                syncCount = 0;
            }
            continue;
        }
        // Only consecutive sync bytes count: a stray 0x5A in noise just before
        // a reply would otherwise start the frame one byte early.
        syncCount = byte == kFrameSync ? syncCount + 1 : 0;
        if (syncCount == 2) {
            synced = true;
        }
    }
    syncCount_ = syncCount;
    synced_ = synced;
    return bytes.size();
}

StreamAssembler::Outcome StreamAssembler::Collect(std::span<const uint8_t> bytes) {
    size_t used = 0;
    while (used < bytes.size()) {
        const size_t target =
            count_ < kFrameHeaderSize + 2 ? kFrameHeaderSize + 2 : expectedLength_;
        const size_t take = std::min(target - count_, bytes.size() - used);
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(used), take,
                    frame_.begin() + static_cast<std::ptrdiff_t>(count_));
        count_ += take;
        used += take;
        if (count_ == kFrameHeaderSize + 2 && expectedLength_ == 0) {
            expectedLength_ = AnnouncedPayloadLength(frame_) + kFrameOverhead;
            if (expectedLength_ > kMaxFrameLength) {
                ReturnToSearching();
                return Outcome::Rejected;
            }
        }
        if (expectedLength_ != 0 && count_ == expectedLength_) {
            return Finish();
        }
    }
    return Outcome::Incomplete;
}

StreamAssembler::Outcome StreamAssembler::Finish() {
    const std::span<const uint8_t> frame(frame_.data(), expectedLength_);
    const bool valid = HasValidEnd(frame);
    ReturnToSearching();
    if (!valid) {
        return Outcome::Rejected;
    }
    frameLength_ = frame.size();
    return Outcome::Complete;
}

void StreamAssembler::ReturnToSearching() {
    count_ = 0;
    expectedLength_ = 0;
    syncCount_ = 0;
    synced_ = false;
    inFrame_ = false;
}

void StreamAssembler::Reset() {
    ReturnToSearching();
    frameLength_ = 0;
    inPlaceFrame_ = nullptr;
    frame_.fill(kBlank);
}
