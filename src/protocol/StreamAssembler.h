// SPDX-License-Identifier: GPL-3.0-or-later
// Reassembles reply frames from the byte stream of a serial or network link,
// which arrives in reads of any size. It hunts for the sync bytes, collects
// N + 14 bytes and checks checksum and terminator.
//
// The constraint: one read yields at most one frame. Bytes that follow a
// completed frame in the same read are dropped, exactly as the device's
// one-request-at-a-time protocol expects; a lost second reply is recovered by
// the pump's time-out. Nothing a device sends can make the assembler write past
// its buffer: a header announcing more than the longest valid frame is dropped.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

class StreamAssembler {
  public:
    static constexpr size_t kBufferSize = 2000;

    enum class Outcome {
        Incomplete,  // more bytes are needed
        Rejected,    // a frame ended with a bad checksum or terminator, or was oversized
        Complete,    // Frame() holds one valid frame
    };

    // Runs over the bytes of one read. After Rejected or Complete the assembler
    // is searching again.
    Outcome Feed(std::span<const uint8_t> bytes);

    // The frame completed by the last Feed; valid until the next Feed or
    // Reset, and no longer than the bytes given to that Feed: a frame that
    // arrived whole in one read is not copied but read where it lies.
    std::span<const uint8_t> Frame() const {
        return {inPlaceFrame_ != nullptr ? inPlaceFrame_ : frame_.data(), frameLength_};
    }

    // Back to searching with a blank buffer, as before a resend.
    void Reset();
    // Back to searching, keeping the buffer.
    void ReturnToSearching();

    bool IsInFrame() const { return inFrame_; }

  private:
    // Returns the index of the first byte after a frame start, or bytes.size().
    size_t ScanForStart(std::span<const uint8_t> bytes);
    // What became of a frame that may lie whole in one read. A plain enum,
    // not an optional Outcome: an optional comes back through memory in two
    // stores read back as one, and that read stalls on every reply.
    enum class WholeFrame { NotWhole, Complete, Rejected };
    // A frame that lies whole in `bytes`, its sync bytes just before
    // `afterSync`, is checked in place; NotWhole when it must be collected.
    WholeFrame TakeWholeFrame(std::span<const uint8_t> bytes, size_t afterSync);
    Outcome Collect(std::span<const uint8_t> bytes);
    Outcome Finish();

    std::array<uint8_t, kBufferSize> frame_{};
    // The start of a frame taken where it lay in the caller's bytes, or null.
    const uint8_t* inPlaceFrame_ = nullptr;
    size_t count_ = 0;
    size_t expectedLength_ = 0;
    size_t frameLength_ = 0;
    int syncCount_ = 0;
    bool synced_ = false;
    bool inFrame_ = false;
};
