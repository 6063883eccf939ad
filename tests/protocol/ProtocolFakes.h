// SPDX-License-Identifier: GPL-3.0-or-later
// Fakes for driving the protocol engine without a device: a link that records
// what it was asked to do, a change source with a script of changes, stores
// for reply data and an event log.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "protocol/Frame.h"
#include "protocol/LinkPort.h"
#include "protocol/MessageSource.h"
#include "protocol/ProtocolEvents.h"
#include "protocol/ReplyTargets.h"
#include "protocol/Requests.h"

class FakeLink : public LinkPort {
  public:
    void Transmit(std::span<const uint8_t> frame) override {
        transmitted.emplace_back(frame.begin(), frame.end());
        transmitTicks.push_back(tick);
    }
    void ResetReceiver() override { ++receiverResets; }
    void RequestReconnect(ReconnectDone done) override { reconnects.push_back(std::move(done)); }
    void DeclareDead() override {
        ++deadCount;
        deadTick = tick;
        if (onDead) {
            onDead();
        }
    }

    // Answers the oldest outstanding reconnect request.
    void FinishReconnect(bool connected) {
        ReconnectDone done = std::move(reconnects.front());
        reconnects.erase(reconnects.begin());
        done(connected);
    }

    int tick = 0;
    std::vector<std::vector<uint8_t>> transmitted;
    std::vector<int> transmitTicks;
    std::vector<ReconnectDone> reconnects;
    int receiverResets = 0;
    int deadCount = 0;
    int deadTick = -1;
    std::function<void()> onDead;
};

// Hands out scripted changes first, then status polls, like an idle program.
class FakeSource : public MessageSource {
  public:
    std::unique_ptr<CSendData> NextPendingMessage() override {
        ++calls;
        if (changes.empty()) {
            return BuildStatusPoll();
        }
        std::unique_ptr<CSendData> next = std::move(changes.front());
        changes.pop_front();
        return next;
    }
    std::deque<std::unique_ptr<CSendData>> changes;
    int calls = 0;
};

// Names and system bytes in plain arrays, items mapped as the device maps them.
class FakeTargets : public ReplyTargets {
  public:
    void StoreProgramName(int slot, std::span<const uint8_t, kProgramNameLength> name) override {
        std::copy(name.begin(), name.end(), names.at(static_cast<size_t>(slot)).begin());
    }
    void StoreSystemItem(int item, std::span<const uint8_t> payload) override {
        switch (item) {
            case 4:
                system.at(16) = payload[0];
                break;
            case 7:
            case 8:
            case 9:
                for (size_t i = 0; i < 3; ++i) {
                    system.at(static_cast<size_t>(7 + 3 * (item - 7)) + i) = payload[i];
                }
                break;
            default:
                system.at(static_cast<size_t>(item)) = payload[0];
        }
    }
    uint8_t GetSystemByte(int index) const override {
        return system.at(static_cast<size_t>(index));
    }

    std::array<std::array<uint8_t, kProgramNameLength>, kLastPresetSlot + 1> names{};
    std::array<uint8_t, kLastSystemByte + 1> system{};
};

class FakeEvents : public ProtocolEvents {
  public:
    void OnProgramReceived() override { log.push_back("program"); }
    void OnSystemDataRead() override { log.push_back("system"); }
    void OnEffectRecordReceived() override { log.push_back("effect"); }
    void OnReadTransferFinished() override { log.push_back("finished"); }
    void OnUsbGaveUp() override { log.push_back("usb gave up"); }
    std::vector<std::string> log;
};

// A reply frame as the device would send it.
inline std::vector<uint8_t> DeviceReply(uint8_t command, uint8_t subCommand = 0, uint8_t a = 0,
                                        uint8_t c = 0, std::vector<uint8_t> payload = {}) {
    return AssembleFrame({command, subCommand, a, 0, c}, payload);
}

inline std::vector<uint8_t> Accepted() {
    return DeviceReply(Command::kAccepted, 0, 0, 0, std::vector<uint8_t>(8, 0));
}
