// SPDX-License-Identifier: GPL-3.0-or-later
// The simulated device on the simulated HID bus, so USB paths can be tested
// against the same device logic as TCP and the pseudo-terminal.
//
// The constraint: a HID device answers in whole reports, so the pieces a
// transport fault would split a reply into are joined again here.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "core/SimulatedDevice.h"
#include "testing/HidSimulatedBackend.h"

namespace devsim {

// The replies the device gives to `bytes`, each as one whole frame.
inline std::vector<std::vector<uint8_t>> WholeReplies(SimulatedDevice& device,
                                                      std::span<const uint8_t> bytes) {
    std::vector<std::vector<uint8_t>> replies;
    for (const DeviceResponse& response : device.Receive(bytes)) {
        std::vector<uint8_t> reply;
        for (const auto& piece : response.pieces) {
            reply.insert(reply.end(), piece.begin(), piece.end());
        }
        if (!reply.empty()) {
            replies.push_back(std::move(reply));
        }
    }
    return replies;
}

class HidBusDevice : public HidDeviceLogic {
  public:
    explicit HidBusDevice(SimulatedDevice& device) : device_(device) {}
    std::vector<std::vector<uint8_t>> Receive(std::span<const uint8_t> bytes) override {
        return WholeReplies(device_, bytes);
    }
    void ResetReceiver() override { device_.ResetReceiver(); }

  private:
    SimulatedDevice& device_;
};

}  // namespace devsim
