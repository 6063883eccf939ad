// SPDX-License-Identifier: GPL-3.0-or-later
// Cuts one frame into 65-byte output reports: report id 0, then 64 frame bytes,
// the last report padded with zeros. The length is taken from the frame's own
// length field, as the device reads it, but never beyond the bytes actually
// held, so a damaged frame cannot make the link read past its buffer.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "links/HidDevice.h"

class UsbReportSplitter {
  public:
    using Report = std::array<uint8_t, kHidReportSize>;

    void Load(std::span<const uint8_t> frame);
    void Clear();
    // Back to the first report of the loaded frame (for a resend).
    void Rewind();

    bool HasFrame() const { return !frame_.empty(); }
    bool LastPieceWritten() const { return lastPiece_; }
    // The next report; call only while !LastPieceWritten().
    Report NextReport();

  private:
    std::vector<uint8_t> frame_;
    size_t total_ = 0;
    size_t offset_ = 0;
    bool lastPiece_ = false;
};
