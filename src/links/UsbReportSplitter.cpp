// SPDX-License-Identifier: GPL-3.0-or-later
#include "links/UsbReportSplitter.h"

#include <algorithm>

#include "protocol/Frame.h"

void UsbReportSplitter::Load(std::span<const uint8_t> frame) {
    frame_.assign(frame.begin(), frame.end());
    total_ = frame_.size() >= kFrameHeaderSize
                 ? std::min(AnnouncedPayloadLength(frame_) + kFrameOverhead, frame_.size())
                 : frame_.size();
    Rewind();
}

void UsbReportSplitter::Clear() {
    frame_.clear();
    total_ = 0;
    Rewind();
}

void UsbReportSplitter::Rewind() {
    offset_ = 0;
    lastPiece_ = false;
}

UsbReportSplitter::Report UsbReportSplitter::NextReport() {
    Report report{};
    const size_t remaining = total_ > offset_ ? total_ - offset_ : 0;
    const size_t piece = std::min(remaining, kHidReportDataSize);
    std::copy_n(frame_.begin() + static_cast<std::ptrdiff_t>(offset_), piece, report.begin() + 1);
    offset_ += piece;
    if (offset_ >= total_) {
        lastPiece_ = true;
    }
    return report;
}
