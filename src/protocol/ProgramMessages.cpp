// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/ProgramMessages.h"

#include <span>

#include "model/Audio_Data.h"
#include "model/PresetStore.h"
#include "model/SystemData.h"
#include "protocol/Frame.h"
#include "protocol/Requests.h"

namespace {
constexpr int kRowSize = 8;
constexpr int kFirstEffectRow = 19;
constexpr uint8_t kWholeRecordArgument = 255;

uint8_t Byte(int value) {
    return static_cast<uint8_t>(value);
}

// Rebuilds the record the row belongs to and returns the row's image offset.
size_t RebuildRowRecord(CAudio_Data& program, int block, int channel, int row) {
    switch (block) {
        case RowBlock::kMusicInput:
        case RowBlock::kMicrophone:
            program.BuildInputRecord(channel);
            return CAudio_Data::InputRecordOffset(channel) + static_cast<size_t>(kRowSize * row);
        case RowBlock::kEffect:
            program.BuildEffectRecord();
            return CAudio_Data::kEffectRecordOffset +
                   static_cast<size_t>(kRowSize * (row - kFirstEffectRow));
        default:
            program.BuildOutputRecord(channel);
            return CAudio_Data::OutputRecordOffset(channel) + static_cast<size_t>(kRowSize * row);
    }
}
}  // namespace

std::unique_ptr<CSendData> BuildRowMessage(CAudio_Data& program, int block, int channel, int row,
                                           int payloadLength) {
    const size_t offset = RebuildRowRecord(program, block, channel, row);
    const uint8_t frameChannel = block == RowBlock::kMicrophone ? 0 : Byte(channel);
    const std::span<const uint8_t> payload(program.GetImage().data() + offset,
                                           static_cast<size_t>(payloadLength));
    return MakeMessage({Command::kWrite, Byte(block), 0, frameChannel, Byte(row)}, payload);
}

std::unique_ptr<CSendData> BuildOutputRecordMessage(CAudio_Data& program, int output) {
    program.BuildOutputRecord(output);
    const std::span<const uint8_t> record(
        program.GetImage().data() + CAudio_Data::OutputRecordOffset(output),
        CAudio_OutData::kRecordSize);
    return MakeMessage(
        {Command::kOutputRecordWrite, RowBlock::kOutput, 0, Byte(output), kWholeRecordArgument},
        record);
}

std::unique_ptr<CSendData> BuildProgramWriteMessage(CAudio_Data& program) {
    program.BuildImage();
    const std::span<const uint8_t> image(program.GetImage().data(), CAudio_Data::kImageSize);
    return MakeMessage({Command::kProgramWrite, 0, 0, 0, 0}, image);
}

std::unique_ptr<CSendData> BuildBulkMessage(CAudio_Data& program, uint8_t command,
                                            uint8_t subCommand, uint8_t a, uint8_t b, uint8_t c) {
    switch (command) {
        case Command::kOutputRecordWrite:
            return BuildOutputRecordMessage(program, b);
        case Command::kProgramWrite:
            return BuildProgramWriteMessage(program);
        default:
            return BuildZeroPayloadRequest(command, subCommand, a, b, c);
    }
}

std::unique_ptr<CSendData> BuildProgramNameWrite(const PresetStore& presets, int slot) {
    const ProgramName name = presets.NameBytes(slot);
    return BuildNameWrite(slot, name);
}

std::unique_ptr<CSendData> BuildSystemItemWrite(const SystemData& system, int item) {
    return BuildSystemWrite(item, system.ItemPayload(item));
}
