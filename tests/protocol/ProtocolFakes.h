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

#include "model/PresetStore.h"
#include "model/SystemData.h"
#include "protocol/DeviceDataTargets.h"
#include "protocol/Frame.h"
#include "protocol/LinkPort.h"
#include "protocol/MessageSource.h"
#include "protocol/ProtocolEvents.h"
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

// The application's real stores behind the reply targets.
struct DeviceStores {
    PresetStore presets;
    SystemData system;
    DeviceDataTargets targets{presets, system};
};

class FakeEvents : public ProtocolEvents {
  public:
    void OnProgramReceived() override { log.push_back("program"); }
    void OnSystemDataRead() override { log.push_back("system"); }
    void OnEffectRecordReceived() override { log.push_back("effect"); }
    void OnReadTransferFinished() override { log.push_back("finished"); }
    void OnUsbGaveUp() override { log.push_back("usb gave up"); }
    void OnRequestEnded(TransferTicket ticket, RequestOutcome outcome) override {
        ended.emplace_back(ticket, outcome);
    }
    std::vector<std::string> log;
    std::vector<std::pair<TransferTicket, RequestOutcome>> ended;
};

// A reply frame as the device would send it.
inline std::vector<uint8_t> DeviceReply(uint8_t command, uint8_t subCommand = 0, uint8_t a = 0,
                                        uint8_t c = 0, std::vector<uint8_t> payload = {}) {
    return AssembleFrame({command, subCommand, a, 0, c}, payload);
}

inline std::vector<uint8_t> Accepted() {
    return DeviceReply(Command::kAccepted, 0, 0, 0, std::vector<uint8_t>(8, 0));
}
