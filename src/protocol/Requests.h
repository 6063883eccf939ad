// SPDX-License-Identifier: GPL-3.0-or-later
// Request messages whose payload needs nothing from the program: the status
// poll, name and system reads, the zero-payload bulk requests, and the name
// and system writes once their bytes are known. Each returns a new message
// holding a complete frame, with its flags still at their defaults; the
// producer sets longWait and the end-of-transfer flags.
//
// The constraint: the device answers a read with the same command byte and
// takes its size from the request it is answering, so the zero payload of a
// read is always eight bytes, never empty.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "protocol/SendData.h"

namespace SubCommand {
inline constexpr uint8_t kMusicInputRow = 1;
inline constexpr uint8_t kMicrophoneRow = 2;
inline constexpr uint8_t kEffectRow = 3;
inline constexpr uint8_t kOutputRow = 4;
inline constexpr uint8_t kProgramName = 5;
inline constexpr uint8_t kSystemItem = 6;
}  // namespace SubCommand

// Argument C of a name write or read.
inline constexpr uint8_t kNameArgument = 4;
// Argument C of the bulk reads that return data.
inline constexpr uint8_t kBulkReadArgument = 255;

// 0xA9, all arguments 0.
std::unique_ptr<CSendData> BuildStatusPoll();
// 0xA2: read a program name (sub-command 5, slot in A, C = 4) or a system item
// (sub-command 6, item in C).
std::unique_ptr<CSendData> BuildReadRequest(uint8_t subCommand, uint8_t a, uint8_t c);
std::unique_ptr<CSendData> BuildNameRead(int slot);
std::unique_ptr<CSendData> BuildSystemRead(int item);
// 0xA4, 0xA5, 0xA6 or 0xA8 with eight zero bytes.
std::unique_ptr<CSendData> BuildZeroPayloadRequest(uint8_t command, uint8_t subCommand, uint8_t a,
                                                   uint8_t b, uint8_t c);
std::unique_ptr<CSendData> BuildEffectGroupRead(int group);
std::unique_ptr<CSendData> BuildStorePreset(int slot);
std::unique_ptr<CSendData> BuildRecallPreset(int slot);
std::unique_ptr<CSendData> BuildProgramRead();
// 0xA1/5: the slot's 16-byte name.
std::unique_ptr<CSendData> BuildNameWrite(int slot, std::span<const uint8_t, 16> name);
// 0xA1/6: one system item's payload (1 byte for item 4, 8 bytes otherwise).
std::unique_ptr<CSendData> BuildSystemWrite(int item, std::span<const uint8_t> payload);
