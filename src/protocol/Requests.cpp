// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/Requests.h"

#include <array>

#include "protocol/Frame.h"

namespace {
constexpr std::array<uint8_t, 8> kZeroPayload{};

uint8_t Byte(int value) {
    return static_cast<uint8_t>(value);
}
}  // namespace

std::unique_ptr<CSendData> BuildStatusPoll() {
    return BuildZeroPayloadRequest(Command::kStatusPoll, 0, 0, 0, 0);
}

std::unique_ptr<CSendData> BuildReadRequest(uint8_t subCommand, uint8_t a, uint8_t c) {
    return BuildZeroPayloadRequest(Command::kRead, subCommand, a, 0, c);
}

std::unique_ptr<CSendData> BuildNameRead(int slot) {
    return BuildReadRequest(SubCommand::kProgramName, Byte(slot), kNameArgument);
}

std::unique_ptr<CSendData> BuildSystemRead(int item) {
    return BuildReadRequest(SubCommand::kSystemItem, 0, Byte(item));
}

std::unique_ptr<CSendData> BuildZeroPayloadRequest(uint8_t command, uint8_t subCommand, uint8_t a,
                                                   uint8_t b, uint8_t c) {
    return MakeMessage({command, subCommand, a, b, c}, kZeroPayload);
}

std::unique_ptr<CSendData> BuildEffectGroupRead(int group) {
    return BuildZeroPayloadRequest(Command::kEffectGroupRead, 3, Byte(group), 0, kBulkReadArgument);
}

std::unique_ptr<CSendData> BuildStorePreset(int slot) {
    return BuildZeroPayloadRequest(Command::kStorePreset, 0, Byte(slot), 0, 0);
}

std::unique_ptr<CSendData> BuildRecallPreset(int slot) {
    return BuildZeroPayloadRequest(Command::kRecallPreset, 0, Byte(slot), 0, kBulkReadArgument);
}

std::unique_ptr<CSendData> BuildProgramRead() {
    return BuildZeroPayloadRequest(Command::kProgramRead, 0, 0, 0, kBulkReadArgument);
}

std::unique_ptr<CSendData> BuildNameWrite(int slot, std::span<const uint8_t, 16> name) {
    return MakeMessage({Command::kWrite, SubCommand::kProgramName, Byte(slot), 0, kNameArgument},
                       name);
}

std::unique_ptr<CSendData> BuildSystemWrite(int item, std::span<const uint8_t> payload) {
    return MakeMessage({Command::kWrite, SubCommand::kSystemItem, 0, 0, Byte(item)}, payload);
}
