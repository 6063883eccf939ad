// SPDX-License-Identifier: GPL-3.0-or-later
// Messages that carry part or all of the program: one 8-byte row, a whole
// output record (0xA3) or the whole image (0xA7), plus the name and system
// writes that carry the preset store's and the system data's bytes.
//
// The constraint: the image is only a cache of the channel objects, so each
// builder rebuilds the record (or the image) it sends from the objects first.
// Builders run on one thread at a time (the UI thread, or the USB worker under
// the queue lock), because they write into the program's image.
#pragma once

#include <cstdint>
#include <memory>

#include "protocol/SendData.h"

class CAudio_Data;
class PresetStore;
class SystemData;

namespace RowBlock {
inline constexpr int kMusicInput = 1;
inline constexpr int kMicrophone = 2;
inline constexpr int kEffect = 3;
inline constexpr int kOutput = 4;
}  // namespace RowBlock

// 0xA1 row write: block 1..4, channel, row (effect rows are 19..24). The frame
// carries channel 0 for the microphone block.
std::unique_ptr<CSendData> BuildRowMessage(CAudio_Data& program, int block, int channel, int row,
                                           int payloadLength = 8);
// 0xA3: the whole 88-byte record of output `output`; 102 bytes.
std::unique_ptr<CSendData> BuildOutputRecordMessage(CAudio_Data& program, int output);
// 0xA7: the whole 1032-byte image of the current program; 1046 bytes.
std::unique_ptr<CSendData> BuildProgramWriteMessage(CAudio_Data& program);
// 0xA3 to 0xA8 by command: program data for 0xA3 and 0xA7, eight zeros otherwise.
std::unique_ptr<CSendData> BuildBulkMessage(CAudio_Data& program, uint8_t command,
                                            uint8_t subCommand, uint8_t a, uint8_t b, uint8_t c);

// 0xA1/5 with the slot's name from the preset store.
std::unique_ptr<CSendData> BuildProgramNameWrite(const PresetStore& presets, int slot);
// 0xA1/6 with the item's bytes from the system data.
std::unique_ptr<CSendData> BuildSystemItemWrite(const SystemData& system, int item);
