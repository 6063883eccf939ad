// SPDX-License-Identifier: GPL-3.0-or-later
// The audio processor as the editor sees it through any link: takes request
// bytes in whatever pieces the wire delivers and returns the reply bytes,
// keeping a current program, twenty presets with names, the system data bytes
// and four effect groups, with a log of every frame received and optional faults.
//
// The constraint: no I/O and no Qt here, so the same device backs the TCP
// server, the pseudo-terminal and a simulated HID device. Every public call
// takes one lock, so a transport on a worker thread and a test reading the
// state on another thread may share one device.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <span>
#include <vector>

#include "core/DeviceFaults.h"
#include "core/DeviceImage.h"
#include "core/RequestAssembler.h"

namespace devsim {

// What the transport must do for one received request.
struct DeviceResponse {
    // Written in order; more than one piece only when faults ask to split.
    std::vector<std::vector<uint8_t>> pieces;
    std::chrono::milliseconds delay{0};
    bool closeConnection = false;
};

using SystemBytes = std::array<uint8_t, kSystemByteCount>;

class SimulatedDevice {
  public:
    SimulatedDevice();

    // Feeds received bytes; returns one response per complete valid request
    // that is answered (a silenced request yields nothing).
    std::vector<DeviceResponse> Receive(std::span<const uint8_t> bytes);
    // A new connection starts with an empty receiver.
    void ResetReceiver();

    void SetFaults(const DeviceFaults& faults);

    ProgramImage CurrentImage() const;
    void SetCurrentImage(const ProgramImage& image);
    ProgramImage PresetImage(int slot) const;  // 1..20
    void SetPresetImage(int slot, const ProgramImage& image);
    ProgramName Name(int slot) const;  // 0..20
    void SetName(int slot, const ProgramName& name);
    SystemBytes GetSystemBytes() const;
    void SetSystemBytes(const SystemBytes& bytes);

    // Every frame received, valid or not, in order.
    std::vector<ReceivedFrame> Log() const;
    // Received valid requests with this command byte.
    size_t CountRequests(uint8_t command) const;
    void ClearLog();

  private:
    struct RuleState {
        size_t seen = 0;
        size_t applied = 0;
    };
    std::optional<FaultAction> ChooseFault(uint8_t command, uint8_t subCommand);
    // The proper reply, or nothing when the request is refused (0xAB).
    std::optional<std::vector<uint8_t>> Execute(std::span<const uint8_t> frame);
    std::vector<uint8_t> Reply(uint8_t command, uint8_t subCommand, uint8_t a, uint8_t c,
                               std::span<const uint8_t> payload) const;
    DeviceResponse Shape(std::vector<uint8_t> reply) const;

    mutable std::mutex mutex_;
    RequestAssembler assembler_;
    ProgramImage current_{};
    std::array<ProgramImage, kPresetCount + 1> presets_{};  // [0] unused
    std::array<ProgramName, kPresetCount + 1> names_{};
    SystemBytes system_{};
    DeviceFaults faults_;
    std::vector<RuleState> ruleStates_;
    std::vector<ReceivedFrame> log_;
};

}  // namespace devsim
