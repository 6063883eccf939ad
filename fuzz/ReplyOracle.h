// SPDX-License-Identifier: GPL-3.0-or-later
// The oracle both reply assembler fuzzers end with. After whatever garbage the
// input chose and the receiver reset a link does before resending, a good
// reply (any command, any payload) led by bytes that cannot start a frame and
// cut into pieces anywhere must be dispatched exactly once, and must change
// the device data exactly as the same reply does when it arrives whole on a
// fresh receiver.
//
// The constraint: the protocol has no escaping, so noise that holds sync bytes
// may legitimately swallow the reply that follows it; that case is what the
// reset before a resend is for, and the garbage phase covers it.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "model/PresetStore.h"
#include "protocol/DetachedEngine.h"
#include "protocol/Frame.h"
#include "protocol/FrameTap.h"

namespace oracle {

class EventLog : public ProtocolEvents {
  public:
    void OnProgramReceived() override { seen.push_back('p'); }
    void OnSystemDataRead() override { seen.push_back('s'); }
    void OnEffectRecordReceived() override { seen.push_back('e'); }
    void OnReadTransferFinished() override { seen.push_back('f'); }
    void OnUsbGaveUp() override { seen.push_back('u'); }
    std::vector<char> seen;
};

class ReceivedFrames : public FrameTap {
  public:
    void FrameSent(std::span<const uint8_t>) override {}
    void FrameReceived(std::span<const uint8_t> frame) override {
        ++count;
        last.assign(frame.begin(), frame.end());
    }
    int count = 0;
    std::vector<uint8_t> last;
};

struct Rig {
    Rig() { engine.command.SetFrameTap(&frames); }
    DetachedEngine<EventLog> engine;
    ReceivedFrames frames;
};

// Everything a reply can change.
struct DeviceData {
    std::array<ProgramName, kPresetSlotCount> names{};
    std::array<uint8_t, kSystemDataSize> system{};
    ProgramBlock received{};
    std::vector<char> events;
    size_t queued = 0;
    friend bool operator==(const DeviceData&, const DeviceData&) = default;
};

inline DeviceData Capture(Rig& rig) {
    DeviceData data;
    for (int slot = 0; slot < kPresetSlotCount; ++slot) {
        data.names[static_cast<size_t>(slot)] = rig.engine.presets.NameBytes(slot);
    }
    data.system = rig.engine.system.Bytes();
    data.received = rig.engine.command.ReceivedBlock();
    data.events = rig.engine.events.seen;
    data.queued = rig.engine.command.Queue().Count();
    return data;
}

// Two requests waiting, so that a reply that completes one leaves a trace.
inline void QueueTwoPolls(Rig& rig) {
    rig.engine.command.Queue().Clear();
    rig.engine.command.Post(BuildStatusPoll());
    rig.engine.command.Post(BuildStatusPoll());
    rig.engine.events.seen.clear();
    rig.frames.count = 0;
}

// `twin` holds the same device data as `rig` and waits for the same replies.
inline void MakeTwin(Rig& rig, Rig& twin) {
    twin.engine.presets = rig.engine.presets;
    twin.engine.system = rig.engine.system;
    twin.engine.command.ReceivedBlock() = rig.engine.command.ReceivedBlock();
    QueueTwoPolls(twin);
}

// A well-formed frame with a header and payload the input chooses; mostly the
// commands and arguments a device answers with, sometimes anything at all.
inline std::vector<uint8_t> ConsumeReply(FuzzedDataProvider& input) {
    static constexpr uint8_t kReplyCommands[] = {Command::kRead,         Command::kEffectGroupRead,
                                                 Command::kRecallPreset, Command::kProgramRead,
                                                 Command::kStatusPoll,   Command::kAccepted,
                                                 Command::kRefused};
    FrameHeader header;
    header.command = input.ConsumeBool() ? input.PickValueInArray(kReplyCommands)
                                         : input.ConsumeIntegral<uint8_t>();
    header.subCommand = input.ConsumeIntegralInRange<uint8_t>(0, 7);
    header.a = input.ConsumeIntegralInRange<uint8_t>(0, 22);
    header.b = input.ConsumeIntegral<uint8_t>();
    header.c = input.ConsumeIntegralInRange<uint8_t>(0, 17);
    const size_t length = input.ConsumeIntegralInRange<size_t>(0, kMaxPayloadLength);
    std::vector<uint8_t> payload = input.ConsumeBytes<uint8_t>(length);
    payload.resize(length, 0x00);
    return AssembleFrame(header, payload);
}

// Bytes that cannot start a frame on either assembler: anything but 0x5A.
inline std::vector<uint8_t> ConsumeNoise(FuzzedDataProvider& input, size_t maxLength) {
    std::vector<uint8_t> noise =
        input.ConsumeBytes<uint8_t>(input.ConsumeIntegralInRange<size_t>(0, maxLength));
    std::erase(noise, kFrameSync);
    return noise;
}

// Cuts `bytes` into pieces of 1..maxPiece bytes chosen by the input.
inline std::vector<std::span<const uint8_t>> Cut(FuzzedDataProvider& input,
                                                 std::span<const uint8_t> bytes, size_t maxPiece) {
    std::vector<std::span<const uint8_t>> pieces;
    while (!bytes.empty()) {
        const size_t length =
            input.ConsumeIntegralInRange<size_t>(1, std::min(maxPiece, bytes.size()));
        pieces.push_back(bytes.first(length));
        bytes = bytes.subspan(length);
    }
    return pieces;
}

inline void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// The reply reached the dispatcher once, byte for byte, with the effect `expected`.
inline void RequireDispatchedOnce(const Rig& rig, const std::vector<uint8_t>& reply,
                                  const DeviceData& actual, const DeviceData& expected) {
    Require(rig.frames.count == 1);
    Require(rig.frames.last == reply);
    Require(actual == expected);
}

}  // namespace oracle
