// SPDX-License-Identifier: GPL-3.0-or-later
// The device's receiving side: collects bytes that arrive in any pieces and
// cuts them into frames at the three sync bytes and the announced length.
//
// The constraint: a frame that fails its checksum is still handed out (marked
// invalid) so the device can log it; the device never answers such a frame.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace devsim {

struct ReceivedFrame {
    std::vector<uint8_t> bytes;
    bool valid = false;
};

class RequestAssembler {
  public:
    // Adds bytes and returns every frame they complete, in arrival order.
    std::vector<ReceivedFrame> Add(std::span<const uint8_t> bytes);
    void Reset();

  private:
    std::vector<uint8_t> frame_;
    int syncCount_ = 0;
};

}  // namespace devsim
