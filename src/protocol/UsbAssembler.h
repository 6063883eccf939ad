// SPDX-License-Identifier: GPL-3.0-or-later
// Reassembles a reply frame from the 64 data bytes of successive USB input
// reports. Unlike the stream assembler it synchronises on three 0x5A bytes
// (other bytes in between are ignored) and drops whatever follows the
// terminator in the same report, which is padding.
//
// The constraint: it runs on the USB worker thread and is reset from there
// (after each dispatched frame, by the recovery and before every new message);
// each engine owns one instance and only that thread touches it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

class UsbAssembler {
  public:
    static constexpr size_t kAreaSize = 1212;

    // Runs over one report's data bytes. Returns true when a frame has been
    // completed, valid or not; HasError() then tells which.
    bool Feed(std::span<const uint8_t> report);

    // Set by a bad checksum, a bad terminator or an oversized header; the
    // engine also sets it for a refusal.
    bool HasError() const { return error_; }
    void SetError() { error_ = true; }

    // The completed frame (header, payload, checksum, terminator).
    std::span<const uint8_t> Frame() const { return {area_.data(), frameLength_}; }

    void Reset();

  private:
    // Checks the announced length once the header is in; false (and the error
    // flag set) when it cannot be a reply.
    bool AcceptHeader();
    bool Complete();

    std::array<uint8_t, kAreaSize> area_{};
    int16_t index_ = 0;
    int payloadLength_ = 0;
    size_t frameLength_ = 0;
    bool synced_ = false;
    bool error_ = false;
};
